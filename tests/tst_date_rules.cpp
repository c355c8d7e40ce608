#include "data/DateRules.h"
#include "stock/StockCutoff.h"

#include <QTest>

class TestDateRules : public QObject
{
    Q_OBJECT
private slots:
    void stockReferenceDate_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("reference");
        QTest::addColumn<QString>("cutoff");

        QTest::newRow("first of February, leap year")
            << QDate(2024, 2, 1) << QDate(2024, 2, 28) << "02/28/2024";
        QTest::newRow("leap day is the last day")
            << QDate(2024, 2, 29) << QDate(2024, 2, 29) << "02/29/2024";
        QTest::newRow("day before the last")
            << QDate(2025, 3, 30) << QDate(2025, 3, 30) << "03/30/2025";
        QTest::newRow("last day of the year")
            << QDate(2025, 12, 31) << QDate(2025, 12, 31) << "12/31/2025";
        QTest::newRow("February, common year")
            << QDate(2025, 2, 10) << QDate(2025, 2, 27) << "02/27/2025";
        QTest::newRow("short month") << QDate(2025, 4, 1) << QDate(2025, 4, 29) << "04/29/2025";
        QTest::newRow("thirty-day month end")
            << QDate(2025, 4, 30) << QDate(2025, 4, 30) << "04/30/2025";
        QTest::newRow("single-digit day and month")
            << QDate(2025, 1, 5) << QDate(2025, 1, 30) << "01/30/2025";
    }

    void stockReferenceDate()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, reference);
        QFETCH(QString, cutoff);
        QCOMPARE(::stockReferenceDate(today), reference);
        QCOMPARE(monthDayYear(::stockReferenceDate(today)), cutoff);
    }

    void shortDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("shortText");
        QTest::addColumn<QString>("monthDayYearText");
        QTest::newRow("padded") << QDate(2025, 3, 7) << "07/03/2025"
                                << "03/07/2025";
        QTest::newRow("day above twelve") << QDate(2025, 9, 29) << "29/09/2025"
                                          << "09/29/2025";
        QTest::newRow("invalid") << QDate() << QString() << QString();
    }

    void shortDate()
    {
        QFETCH(QDate, date);
        QFETCH(QString, shortText);
        QFETCH(QString, monthDayYearText);
        QCOMPARE(::shortDate(date), shortText);
        QCOMPARE(monthDayYear(date), monthDayYearText);
        if (date.isValid())
            QCOMPARE(QDate::fromString(::shortDate(date), QLatin1String(kShortDateFormat)), date);
    }

    void invalidTodayGivesNoDate() { QVERIFY(!::stockReferenceDate(QDate()).isValid()); }
};

QTEST_GUILESS_MAIN(TestDateRules)
#include "tst_date_rules.moc"
