#include "data/NumberFormat.h"

#include <QScopeGuard>
#include <QTest>

#include <limits>

namespace
{

const QString kGridMoney = QStringLiteral("#,#0.00;(#,#0.00);#,#0.00 ");
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kIndonesian(QLocale::Indonesian, QLocale::Indonesia);

} // namespace

class TestNumberFormat : public QObject
{
    Q_OBJECT
private slots:
    void formatFloat_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");

        // The grid's money pattern: sections, separators, parentheses, the zero's blank.
        QTest::newRow("zero") << kGridMoney << 0.0 << kEnglish << "0.00 ";
        QTest::newRow("negative") << kGridMoney << -1234.5 << kEnglish << "(1,234.50)";
        QTest::newRow("positive") << kGridMoney << 1234567.891 << kEnglish << "1,234,567.89";
        QTest::newRow("below a thousand") << kGridMoney << 999.0 << kEnglish << "999.00";
        QTest::newRow("below one") << kGridMoney << 0.5 << kEnglish << "0.50";
        QTest::newRow("average cost") << kGridMoney << 600.0 / 4.0 << kEnglish << "150.00";
        QTest::newRow("one third") << kGridMoney << 1.0 / 3.0 << kEnglish << "0.33";
        QTest::newRow("Indonesian separators")
            << kGridMoney << -1234567.5 << kIndonesian << "(1.234.567,50)";
        QTest::newRow("Indonesian zero") << kGridMoney << 0.0 << kIndonesian << "0,00 ";

        // Rounding is half away from zero, on the decimal value that was meant.
        QTest::newRow("half up") << kGridMoney << 2.675 << kEnglish << "2.68";
        QTest::newRow("half of a cent") << kGridMoney << 1.005 << kEnglish << "1.01";
        QTest::newRow("negative half") << kGridMoney << -2.675 << kEnglish << "(2.68)";
        QTest::newRow("carry into a new group")
            << kGridMoney << 999999.995 << kEnglish << "1,000,000.00";
        QTest::newRow("rounds to zero takes the zero section")
            << kGridMoney << 0.004 << kEnglish << "0.00 ";
        QTest::newRow("negative rounding to zero is not negative")
            << kGridMoney << -0.004 << kEnglish << "0.00 ";

        // Other patterns of the program.
        QTest::newRow("0.00") << "0.00" << 85.254 << kEnglish << "85.25";
        QTest::newRow("0.00 negative, no section") << "0.00" << -85.255 << kEnglish << "-85.26";
        QTest::newRow("0.00 Indonesian") << "0.00" << 110.7349 << kIndonesian << "110,73";
        QTest::newRow("0.00 large, no separators")
            << "0.00" << 1234567.0 << kEnglish << "1234567.00";
        QTest::newRow("optional decimals") << "#,##0.##" << 1234.5 << kEnglish << "1,234.5";
        QTest::newRow("optional decimals dropped") << "#,##0.##" << 12.0 << kEnglish << "12";
        QTest::newRow("no whole digit") << "#.00" << 0.5 << kEnglish << ".50";
        QTest::newRow("quoted text")
            << "'Rp '#,#0;'minus '#,#0" << -1500.0 << kEnglish << "minus 1,500";
        QTest::newRow("empty negative section uses positive")
            << "#,#0.00;;zero" << -3.0 << kEnglish << "-3.00";
        QTest::newRow("literal zero section") << "#,#0.00;;zero" << 0.0 << kEnglish << "zero";
        QTest::newRow("NaN") << kGridMoney << std::numeric_limits<double>::quiet_NaN() << kEnglish
                             << "NAN";
        QTest::newRow("huge") << kGridMoney << 1e20 << kEnglish << "100,000,000,000,000,000,000.00";
    }

    void formatFloat()
    {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(::formatFloat(pattern, value, locale), expected);
    }

    void formatDecimal_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");

        // Beyond a double's 15-16 digits: the exact value, every digit.
        QTest::newRow("largest money")
            << Q_INT64_C(999999999999999999) << 2 << kEnglish << "9,999,999,999,999,999.99";
        QTest::newRow("largest money, negative")
            << Q_INT64_C(-999999999999999999) << 2 << kIndonesian << "(9.999.999.999.999.999,99)";
        QTest::newRow("odd cent kept")
            << Q_INT64_C(900719925474099301) << 2 << kEnglish << "9,007,199,254,740,993.01";
        QTest::newRow("lowest int64")
            << std::numeric_limits<qint64>::min() << 2 << kEnglish << "(92,233,720,368,547,758.08)";
        QTest::newRow("rounded half away") << Q_INT64_C(-12345) << 3 << kEnglish << "(12.35)";
        QTest::newRow("zero with scale") << Q_INT64_C(0) << 4 << kEnglish << "0.00 ";
        QTest::newRow("negative scale") << Q_INT64_C(15) << -3 << kEnglish << "15,000.00";
    }

    void formatDecimal()
    {
        QFETCH(qint64, units);
        QFETCH(int, scale);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(::formatDecimal(kGridMoney, units, scale, locale), expected);
    }

    void formatuang_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one and a half million") << 1500000.0 << "1.500.000";
        QTest::newRow("half rounds up") << 999.5 << "1.000";
        QTest::newRow("negative") << -1500.0 << "(1.500)";
        QTest::newRow("negative half rounds away") << -2.5 << "(3)";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("below half") << 0.49 << "0";
        QTest::newRow("small negative is zero") << -0.4 << "0";
        QTest::newRow("below a thousand") << 999.0 << "999";
        QTest::newRow("billions") << 12345678901.0 << "12.345.678.901";
    }

    void formatuang()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        // The same text whatever the workstation's locale.
        // A failing row returns early: the default comes back all the same.
        const auto restore = qScopeGuard([saved = QLocale()] { QLocale::setDefault(saved); });
        for (const QLocale& locale : {kEnglish, kIndonesian, QLocale(QLocale::French)}) {
            QLocale::setDefault(locale);
            QCOMPARE(::formatuang(value), expected);
        }
    }

    void formatReportNumber_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");

        QTest::newRow("money") << "%2.2n" << 1234567.891 << kEnglish << "1,234,567.89";
        QTest::newRow("money negative") << "%2.2n" << -1234.5 << kEnglish << "-1,234.50";
        QTest::newRow("money zero") << "%2.2n" << 0.0 << kEnglish << "0.00";
        QTest::newRow("money Indonesian") << "%2.2n" << 1500000.0 << kIndonesian << "1.500.000,00";
        QTest::newRow("money half away") << "%2.2n" << -0.005 << kEnglish << "-0.01";
        QTest::newRow("money tiny negative") << "%2.2n" << -0.004 << kEnglish << "0.00";
        QTest::newRow("width pads") << "%8.1f" << 3.14159 << kEnglish << "     3.1";
        QTest::newRow("left aligned") << "%-6.0n" << 12.0 << kEnglish << "12    ";
        QTest::newRow("text around") << "Rp %2.2n,-" << 1000.0 << kEnglish << "Rp 1,000.00,-";
        QTest::newRow("percent sign") << "%2.2n%%" << 85.25 << kEnglish << "85.25%";

        QTest::newRow("g whole") << "%g" << 12.0 << kEnglish << "12";
        QTest::newRow("g fraction") << "%g" << 2.5 << kIndonesian << "2,5";
        QTest::newRow("g zero") << "%g" << 0.0 << kEnglish << "0";
        QTest::newRow("g negative") << "%g" << -40.0 << kEnglish << "-40";
        QTest::newRow("g no binary noise") << "%g" << 0.1 + 0.2 << kEnglish << "0.3";
        QTest::newRow("g fifteen digits")
            << "%g" << 123456789012345.0 << kEnglish << "123456789012345";
        QTest::newRow("g large") << "%g" << 1e20 << kEnglish << "1E20";
        QTest::newRow("g small") << "%g" << 0.00001 << kEnglish << "0.00001";
        QTest::newRow("g very small") << "%g" << 0.0000015 << kEnglish << "1.5E-6";
        QTest::newRow("g rounds carry") << "%.3g" << 9.9996 << kEnglish << "10";
    }

    void formatReportNumber()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(::formatReportNumber(format, value, locale), expected);
    }

    void formatReportDecimal()
    {
        QCOMPARE(::formatReportDecimal(QStringLiteral("%2.2n"), Q_INT64_C(999999999999999999), 2,
                                       kEnglish),
                 QStringLiteral("9,999,999,999,999,999.99"));
        QCOMPARE(::formatReportDecimal(QStringLiteral("%2.2n"), Q_INT64_C(-5), 3, kEnglish),
                 QStringLiteral("-0.01"));
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_number_format.moc"
