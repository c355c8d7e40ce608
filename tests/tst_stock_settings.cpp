#include "data/ConnectionSet.h"
#include "platform/IniFile.h"
#include "platform/WindowScaler.h"
#include "stock/StockGrid.h"
#include "stock/StockSettings.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/ScriptedMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace
{

const char* const kSwitchNames[kStoredSwitches] = {
    "cbltc", "cbmezanine", "cbrak", "cbbooking", "cbonorder",
    "cbpec", "cbproduksi", "cbwip", "cbONSO",    "cbIR"};
const int kSwitchColumns[kStoredSwitches] = {3, 4, 5, 6, 7, 8, 9, 10, 13, 14};

using Values = QList<QPair<QString, QString>>;

Values parse(const QString& text)
{
    Values out;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        out.append({line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1)});
    return out;
}

// A stock view as start-up leaves it: grids prepared, then Config.ini applied.
struct RestoredView {
    explicit RestoredView(const QString* iniText)
    {
        if (iniText) {
            QFile file(dir.filePath(QStringLiteral("Config.ini")));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write Config.ini");
            file.write(iniText->toUtf8());
        }
        view.prepareGrids();
        view.restoreSettings(IniFile(dir.filePath(QStringLiteral("Config.ini"))));
    }
    QString ticks() const
    {
        QString out;
        for (const char* name : kSwitchNames)
            out += byName<QCheckBox>(view.panel(), name)->isChecked() ? QLatin1Char('1')
                                                                      : QLatin1Char('0');
        return out;
    }

    QTemporaryDir dir;
    QWidget window;
    WindowScaler scaler{&window, QSize(943, 698)};
    ConnectionSet connections;
    ScriptedMessages messages;
    StockView view{&window, scaler, connections, messages};
};

} // namespace

class TestStockSettings : public QObject
{
    Q_OBJECT

private slots:
    void valuesToWrite_data();
    void valuesToWrite();
    void restore_data();
    void restore();
    void saveWritesWhatWasRestored_data();
    void saveWritesWhatWasRestored();
};

void TestStockSettings::valuesToWrite_data()
{
    QTest::addColumn<int>("sortEntry");
    QTest::addColumn<int>("codeEntry");
    QTest::addColumn<QString>("filterKind");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("tail"); // DbAktif, Sortby, Kode, Filter

    const int all = int(StockSource::AllCompanies);
    QTest::newRow("start") << 0 << 0 << "Filter Deskripsi" << all << "ALL,Deskripsi,0,Deskripsi";
    QTest::newRow("krt, code") << 1 << 1 << "Filter Kode" << int(StockSource::KrtOnly)
                               << "KRT,Kode,1,Kode";
    QTest::newRow("old, type") << 0 << 2 << "Filter Tipe" << int(StockSource::OldStock)
                               << "OLD STOCK,Deskripsi,2,Tipe";
    QTest::newRow("nothing selected") << -1 << -1 << "" << all << "ALL,Kode,0,Kode";
    QTest::newRow("unknown entries") << 5 << 3 << "Filter deskripsi" << all << "ALL,Kode,0,Kode";
}

void TestStockSettings::valuesToWrite()
{
    QFETCH(int, sortEntry);
    QFETCH(int, codeEntry);
    QFETCH(QString, filterKind);
    QFETCH(int, source);
    QFETCH(QString, tail);

    StockSettings s;
    s.ticks = {false, true, false, true, false, true, false, true, false, true};
    s.source = StockSource(source);
    s.sortEntry = sortEntry;
    s.codeEntry = codeEntry;
    s.filterKind = filterKind;
    const Values values = s.values();

    QStringList keys, written;
    for (const auto& [key, value] : values) {
        keys << key;
        written << value;
    }
    QCOMPARE(keys.join(QLatin1Char(',')),
             QStringLiteral("LTC,MEZANINE,RAK,BOOKING,ONORDER,PEC,PRODUKSI,WIP,ONSO,IR,DbAktif,"
                            "Sortby,Kode,Filter"));
    QCOMPARE(written.mid(0, 10).join(QString()), QStringLiteral("0101010101"));
    QCOMPARE(written.mid(10).join(QLatin1Char(',')), tail);
}

void TestStockSettings::restore_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("sortEntry");
    QTest::addColumn<QString>("filterKind");
    QTest::addColumn<int>("codeEntry");
    QTest::addColumn<QString>("codeClass");

    const int krt = int(StockSource::KrtOnly);
    const int all = int(StockSource::AllCompanies);
    const int old = int(StockSource::OldStock);
    QTest::newRow("no file") << false << ""
                             << "1111100000" << all << 0 << "Filter Deskripsi" << 0
                             << "('3','5','7','9')";
    QTest::newRow("empty section")
        << true << "[Config]\n"
        << "1111100000" << all << 0 << "Filter Deskripsi" << 0 << "('3','5','7','9')";
    // The source is applied after the switches and ticks On Order again.
    QTest::newRow("KRT without On Order")
        << true << "[Config]\nONORDER=0\nDbAktif=KRT\n"
        << "1111100000" << krt << 0 << "Filter Deskripsi" << 0 << "('3','5','7','9')";
    QTest::newRow("every switch turned")
        << true
        << "[Config]\nLTC=0\nMEZANINE=0\nRAK=0\nBOOKING=0\nONORDER=0\nPEC=1\nPRODUKSI=1\nWIP=1\n"
           "ONSO=1\nIR=1\nDbAktif=ALL\nSortby=Kode\nKode=2\nFilter=Kode\n"
        << "0000011111" << all << 1 << "Filter Kode" << 2 << "('1')";
    // Old stock clears On Order, PEC, Produksi and WIP, whatever the file said.
    QTest::newRow("old stock")
        << true << "[Config]\nPEC=1\nWIP=1\nONSO=1\nDbAktif=OLD STOCK\nFilter=Tipe\nKode=1\n"
        << "1111000010" << old << 0 << "Filter Tipe" << 1 << "('3','5','7','9','1')";
    QTest::newRow("values not understood")
        << true
        << "[Config]\nLTC=no\nRAK=\nPEC=yes\nIR=2\nDbAktif=krt\nSortby=kode\nKode=3\nFilter=tipe\n"
        << "1111100000" << all << 0 << "Filter Deskripsi" << 0 << "('3','5','7','9')";
    // The company sources offer no "Filter Tipe": the list keeps its entry.
    QTest::newRow("type filter with KRT")
        << true << "[Config]\nDbAktif=KRT\nFilter=Tipe\n"
        << "1111100000" << krt << 0 << "Filter Deskripsi" << 0 << "('3','5','7','9')";
    QTest::newRow("other sections, key case")
        << true << "[Server]\nRAK=0\nKode=2\n[config]\nltc=0\nkode=1\n[Other]\nMEZANINE=0\n"
        << "0111100000" << all << 0 << "Filter Deskripsi" << 1 << "('3','5','7','9','1')";
}

void TestStockSettings::restore()
{
    QFETCH(bool, fileExists);
    QFETCH(QString, ini);
    QFETCH(QString, ticks);
    QFETCH(int, source);
    QFETCH(int, sortEntry);
    QFETCH(QString, filterKind);
    QFETCH(int, codeEntry);
    QFETCH(QString, codeClass);

    RestoredView r(fileExists ? &ini : nullptr);
    const StockView& v = r.view;
    QCOMPARE(r.ticks(), ticks);
    QCOMPARE(int(v.activeSource()), source);
    QCOMPARE(byName<QComboBox>(v.panel(), "ComboBox2")->currentIndex(), sortEntry);
    QCOMPARE(byName<QComboBox>(v.panel(), "ComboBox1")->currentText(), filterKind);
    QCOMPARE(byName<QComboBox>(v.panel(), "ComboBox3")->currentIndex(), codeEntry);
    QCOMPARE(byName<QLineEdit>(v.panel(), "tampilkode")->text(), codeClass);

    // Every restored switch has run its handler: its column follows it in all three grids.
    for (int i = 0; i < kStoredSwitches; ++i)
        for (int g = 0; g < 3; ++g)
            QVERIFY2(v.grid(g)->isColumnShown(kSwitchColumns[i]) == (ticks[i] == QLatin1Char('1')),
                     kSwitchNames[i]);
    // Sort and filter kind are restored as selections only; their handlers do not run.
    QCOMPARE(byName<QLineEdit>(v.panel(), "sortby")->text(),
             QStringLiteral("a.ITEMDESCRIPTION asc"));
    QVERIFY(!byName<QLineEdit>(v.panel(), "vidarera")->isHidden());
    QVERIFY(byName<QLineEdit>(v.panel(), "cekkode")->isHidden());
    QVERIFY(r.messages.shown.isEmpty());
}

void TestStockSettings::saveWritesWhatWasRestored_data()
{
    QTest::addColumn<QString>("ini");
    QTest::newRow("start values")
        << "LTC=1\nMEZANINE=1\nRAK=1\nBOOKING=1\nONORDER=1\nPEC=0\nPRODUKSI=0\nWIP=0\nONSO=0\n"
           "IR=0\nDbAktif=ALL\nSortby=Deskripsi\nKode=0\nFilter=Deskripsi";
    QTest::newRow("three companies, all turned")
        << "LTC=0\nMEZANINE=0\nRAK=0\nBOOKING=0\nONORDER=0\nPEC=1\nPRODUKSI=1\nWIP=1\nONSO=1\n"
           "IR=1\nDbAktif=ALL\nSortby=Kode\nKode=2\nFilter=Kode";
    QTest::newRow("KRT")
        << "LTC=1\nMEZANINE=0\nRAK=1\nBOOKING=0\nONORDER=1\nPEC=1\nPRODUKSI=0\nWIP=1\nONSO=0\n"
           "IR=1\nDbAktif=KRT\nSortby=Kode\nKode=1\nFilter=Kode";
    QTest::newRow("old stock")
        << "LTC=0\nMEZANINE=1\nRAK=0\nBOOKING=1\nONORDER=0\nPEC=0\nPRODUKSI=0\nWIP=0\nONSO=1\n"
           "IR=0\nDbAktif=OLD STOCK\nSortby=Deskripsi\nKode=2\nFilter=Tipe";
}

void TestStockSettings::saveWritesWhatWasRestored()
{
    QFETCH(QString, ini);
    const QString text = QStringLiteral("[Config]\n") + ini;
    RestoredView r(&text);
    QCOMPARE(r.view.settingsToSave(), parse(ini));
}

QTEST_MAIN(TestStockSettings)
#include "tst_stock_settings.moc"
