// vid_test: DB
#include "data/ConnectionSet.h"
#include "data/Decimal.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/WindowScaler.h"
#include "stock/StockGrid.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestServers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <memory>

namespace
{

const QString kCutoff = QStringLiteral("12/30/2025");

// The numbers of a result as text, so that NUMERIC values compare exactly.
QString numberText(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("<null>");
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return QString::number(v.value<Decimal>().toDouble(), 'f', 2);
    return QString::number(v.toDouble(), 'f', 2);
}

QStringList allValues(FbQuery& query, const QString& field)
{
    while (!query.allFetched())
        query.fetchMore(1000);
    QStringList out;
    const int column = query.fieldIndex(field);
    for (int row = 0; row < query.fetchedRows(); ++row)
        out << query.value(row, column).toString();
    return out;
}

int rowOf(FbQuery& query, const QString& code)
{
    return int(allValues(query, QStringLiteral("ITEMNO")).indexOf(code));
}

TestServers::Suffixes g_suffixes;

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    PaintCounter(QWidget* widget, int* count) : m_count(count) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++*m_count;
        return false;
    }

private:
    int* m_count;
};

// The stock view on the LAN test server, logged in as far as the stock view is concerned.
class StockDb
{
public:
    StockDb()
    {
        window.resize(943, 698);
        scaler = std::make_unique<WindowScaler>(&window, QSize(943, 698));
        connections.serverAddress = TestServers::lan();
        connections.serverPort = ConnectionSet::kLanPort;
        connections.configureCompanies(g_suffixes.krt, g_suffixes.soka, g_suffixes.kw);
        view = std::make_unique<StockView>(&window, *scaler, connections, messages);
        view->applyStartSql();
        view->prepareGrids();
        view->setCutoff(kCutoff);
        view->applyOldStockRight(true);
        view->showCompanyPanels();
        window.show();
    }

    void setSource(StockSource source)
    {
        const char* name = source == StockSource::KrtOnly    ? "rb1"
                           : source == StockSource::OldStock ? "rb3"
                                                             : "rb2";
        byName<QRadioButton>(view->panel(), name)->setChecked(true);
    }
    // Types `text` into a search field and presses Enter.
    void search(const char* field, const QString& text)
    {
        auto* edit = byName<QLineEdit>(view->panel(), field);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
    void check(StockSource source, const char* field, const QString& text)
    {
        setSource(source);
        search(field, text);
    }
    QGroupBox* box(int company) const
    {
        return byName<QGroupBox>(
            view->panel(),
            QByteArray("GroupBox").append(QByteArray::number(company + 2)).constData());
    }
    // "shown top height gridHeight" in design units, or "hidden".
    QString placement(int company) const
    {
        if (box(company)->isHidden())
            return QStringLiteral("hidden");
        const QRect b = scaler->designGeometry(box(company));
        const QRect g = scaler->designGeometry(view->grid(company));
        return QStringLiteral("%1 %2 %3").arg(b.top()).arg(b.height()).arg(g.height());
    }
    // The text a grid shows in the row of `code` and the column `column`.
    QString cell(int company, const QString& code, int column) const
    {
        QAbstractItemModel* model = view->grid(company)->model();
        while (model->canFetchMore({})) // as the user scrolls down
            model->fetchMore({});
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->index(row, 0).data(Qt::DisplayRole).toString() == code)
                return model->index(row, column).data(Qt::DisplayRole).toString();
        return QStringLiteral("<no row>");
    }
    QStringList errors() const { return messages.texts(Messages::Kind::Error); }

    QWidget window;
    std::unique_ptr<WindowScaler> scaler;
    ConnectionSet connections;
    ScriptedMessages messages;
    std::unique_ptr<StockView> view;
};

// Direct SQL on one company database, with the filter texts bound as parameters.
class Direct
{
public:
    explicit Direct(const QString& database)
    {
        connection.setParams(
            TestServers::params(TestServers::lan(), ConnectionSet::kLanPort, database));
    }
    FbQuery& run(const QString& sql, const QVariantMap& params)
    {
        query.setSql(sql);
        const QStringList used = query.paramNames();
        for (auto it = params.begin(); it != params.end(); ++it)
            if (used.contains(it.key()))
                query.setParam(it.key(), it.value());
        query.open();
        return query;
    }
    QString number(const QString& sql, const QVariantMap& params)
    {
        FbQuery& q = run(sql, params);
        return numberText(q.eof() ? QVariant() : q.value(0, 0));
    }

    FbConnection connection;
    FbQuery query{&connection};
};

} // namespace

class TestStockCheckDb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void containingAndCodeClasses_data();
    void containingAndCodeClasses();
    void nullTextsNeverListed();
    void moneyFormatAndAverageCost();
    void threeCompanyFigures_data();
    void threeCompanyFigures();
    void quoting_data();
    void quoting();
    void layoutByEmptyResults();
    void bindingsCarryOver();
    void databaseErrors();
    void statementsReachTheServerUnchanged();
    void companyServerStopsAnswering();
    void closingDuringACheck();
    void wheelAndFetchOnDemand();
};

void TestStockCheckDb::initTestCase()
{
    QVERIFY2(TestServers::available(), "test servers not configured");
    g_suffixes = TestServers::suffixes();
    QVERIFY(!g_suffixes.krt.isEmpty());
}

void TestStockCheckDb::containingAndCodeClasses_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("codeEntry");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    // 3-90030 has no description, 3-90042 is a service (type 2), 8-90041 is in no class.
    QTest::newRow("kabel") << "kabel" << 0 << QStringList{"3-90001", "3-90031"}
                           << QStringList{"3-90030", "3-90042", "1-90040", "8-90041"};
    QTest::newRow("KaBeL, all codes")
        << "KaBeL" << 1 << QStringList{"3-90001", "1-90040"} << QStringList{"8-90041", "3-90042"};
    QTest::newRow("kabel, code 1")
        << "kabel" << 2 << QStringList{"1-90040"} << QStringList{"3-90001", "3-90031", "8-90041"};
    QTest::newRow("SERABUT") << "serabut 1.5" << 0 << QStringList{"3-90031"}
                             << QStringList{"3-90001"};
}

void TestStockCheckDb::containingAndCodeClasses()
{
    QFETCH(QString, description);
    QFETCH(int, codeEntry);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);

    StockDb db;
    QComboBox* codes = byName<QComboBox>(db.view->panel(), "ComboBox3");
    codes->setCurrentIndex(codeEntry);
    emit codes->activated(codeEntry);
    db.check(StockSource::KrtOnly, "vidarera", description);
    QVERIFY(db.errors().isEmpty());

    const QStringList found = allValues(db.view->krt(), QStringLiteral("ITEMNO"));
    for (const QString& code : present)
        QVERIFY2(found.contains(code), qPrintable(code));
    for (const QString& code : absent)
        QVERIFY2(!found.contains(code), qPrintable(code));
    const QString allowed = codeEntry == 0 ? "3579" : codeEntry == 1 ? "35791" : "1";
    for (const QString& code : found)
        QVERIFY2(allowed.contains(code.front()), qPrintable(code));
    const QStringList descriptions = allValues(db.view->krt(), QStringLiteral("ITEMDESCRIPTION"));
    for (const QString& d : descriptions)
        QVERIFY2(d.contains(description, Qt::CaseInsensitive), qPrintable(d));
}

void TestStockCheckDb::nullTextsNeverListed()
{
    StockDb db;
    Direct krt(ConnectionSet::krtDatabase(g_suffixes.krt));
    db.check(StockSource::KrtOnly, "vidarera", QString());
    const QStringList found = allValues(db.view->krt(), QStringLiteral("ITEMNO"));
    QVERIFY(!found.contains(QStringLiteral("3-90030")));
    QCOMPARE(QString::number(found.size()),
             krt.number(QStringLiteral("select count(*) from ITEM where ITEMDESCRIPTION is not "
                                       "null and ITEMTYPE=0 and left(ITEMNO,1) in "
                                       "('3','5','7','9')"),
                        {})
                 .section(QLatin1Char('.'), 0, 0));

    // Old stock always carries its type condition: a null type is never listed.
    Direct old(ConnectionSet::oldStockDatabase());
    db.check(StockSource::OldStock, "cektipe", QString());
    QVERIFY(db.errors().isEmpty());
    const QStringList oldFound = allValues(db.view->oldStock(), QStringLiteral("ITEMNO"));
    QVERIFY(!oldFound.contains(QStringLiteral("7-50002")));
    QCOMPARE(QString::number(oldFound.size()),
             old.number(QStringLiteral("select count(*) from ITEM where ITEMDESCRIPTION is not "
                                       "null and NOTES is not null and ITEMTYPE=0 and "
                                       "left(ITEMNO,1) in ('3','5','7','9')"),
                        {})
                 .section(QLatin1Char('.'), 0, 0));
    QCOMPARE(db.box(0)->title(), QStringLiteral("OLD STOCK"));
}

void TestStockCheckDb::moneyFormatAndAverageCost()
{
    StockDb db;
    // Company A alone: the cost column is HPP (column 12).
    db.check(StockSource::KrtOnly, "cekkode", QStringLiteral("3-9000"));
    QCOMPARE(db.cell(0, "3-90001", 12), QStringLiteral("150.00")); // 600 / 4
    QCOMPARE(db.cell(0, "3-90002", 12), QStringLiteral("0.00 "));  // quantity balance 0
    QCOMPARE(db.cell(0, "3-90001", 2), QStringLiteral("250.00"));
    QCOMPARE(db.cell(0, "3-90001", 11), QStringLiteral("180.00"));
    db.check(StockSource::KrtOnly, "cekkode", QStringLiteral("5-90011"));
    QCOMPARE(db.cell(0, "5-90011", 2), QStringLiteral("78,000.00"));

    // The three companies: HPP_KRT, HPP_SM, HPP_KW.
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("3-90001"));
    QCOMPARE(db.view->grid(0)->columnField(12), QStringLiteral("HPP_KRT"));
    QCOMPARE(db.view->grid(1)->columnField(12), QStringLiteral("HPP_SM"));
    QCOMPARE(db.cell(0, "3-90001", 12), QStringLiteral("150.00"));
    QCOMPARE(db.cell(1, "3-90001", 12), QStringLiteral("160.00")); // 16000 / 100
    QCOMPARE(db.cell(2, "3-90001", 12), QStringLiteral("170.00")); // 3400 / 20
    QVERIFY(db.errors().isEmpty());
}

void TestStockCheckDb::threeCompanyFigures_data()
{
    // What each company's grid shows in IR, ON SO and ON PO: quantities carry no format.
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("krt");
    QTest::addColumn<QStringList>("soka");
    QTest::addColumn<QStringList>("kw");
    const QStringList none{"0", "0", "0"};
    // KRT: open requests 7-2 and 3 (a closed 4 left out); SOKA: 9-4.
    QTest::newRow("3-90001") << "3-90001" << QStringList{"8", "0", "0"}
                             << QStringList{"5", "0", "0"} << none;
    // KRT: 5 sold, 2 delivered; 20 ordered, 8 received (a closed line of 50 left out); the
    // only request is closed.
    QTest::newRow("5-90003") << "5-90003" << QStringList{"0", "3", "12"} << none << none;
    QTest::newRow("5-90017") << "5-90017" << QStringList{"0", "3", "10"} << none << none;
    QTest::newRow("5-90011") << "5-90011" << none << none << none;
}

void TestStockCheckDb::threeCompanyFigures()
{
    QFETCH(QString, code);
    QFETCH(QStringList, krt);
    QFETCH(QStringList, soka);
    QFETCH(QStringList, kw);

    StockDb db;
    db.check(StockSource::AllCompanies, "cekkode", code);
    QVERIFY(db.errors().isEmpty());
    const QString suffixes[3] = {QStringLiteral("KRT"), QStringLiteral("SM"), QStringLiteral("KW")};
    const QStringList expected[3] = {krt, soka, kw};
    for (int company = 0; company < 3; ++company) {
        // IR, ON SO and ON PO stand in columns 14, 13 and 7.
        StockGrid* grid = db.view->grid(company);
        const QString& s = suffixes[company];
        QCOMPARE(grid->columnField(14), QStringLiteral("IR_") + s);
        QCOMPARE(grid->columnField(13), QStringLiteral("ONSO_") + s);
        QCOMPARE(grid->columnField(7), QStringLiteral("ONPO_") + s);
        const QStringList shown{db.cell(company, code, 14), db.cell(company, code, 13),
                                db.cell(company, code, 7)};
        QCOMPARE(shown, expected[company]);
    }
}

void TestStockCheckDb::quoting_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "d'Lux";
    QTest::newRow("one quote") << "'";
    QTest::newRow("two quotes") << "''";
    QTest::newRow("percent") << "%";
    QTest::newRow("underscore") << "_";
    QTest::newRow("always true") << "' or '1'='1";
    QTest::newRow("fragment") << "kabel'and a.ITEMNO containing '3";
    QTest::newRow("comment") << "kabel' --";
    QTest::newRow("parameter marker") << ":ITEMNO";
    QTest::newRow("question mark") << "?";
    QTest::newRow("double quote") << "6\" Plus";
    QTest::newRow("superscript") << "mm²";
    QTest::newRow("diameter") << "Ø 3/4";
    QTest::newRow("half") << "½\"";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("2000 characters") << QString(2000, QLatin1Char('k'));
    QTest::newRow("2000 quotes") << QString(2000, QLatin1Char('\''));
}

void TestStockCheckDb::quoting()
{
    QFETCH(QString, text);
    Direct direct(ConnectionSet::krtDatabase(g_suffixes.krt));
    FbQuery& expectedQuery =
        direct.run(QStringLiteral("select ITEMNO from ITEM a where a.ITEMDESCRIPTION containing "
                                  "cast(:T as varchar(8000)) and "
                                  "a.ITEMTYPE=0 and left(a.ITEMNO,1) in ('3','5','7','9')"),
                   {{QStringLiteral("T"), text}});
    QStringList expected = allValues(expectedQuery, QStringLiteral("ITEMNO"));
    expected.sort();

    for (StockSource source : {StockSource::KrtOnly, StockSource::AllCompanies}) {
        if (source == StockSource::AllCompanies && text.size() < 3)
            continue; // too short to run there
        StockDb db;
        db.check(source, "vidarera", text);
        QCOMPARE(db.errors(), QStringList());
        QStringList found = allValues(db.view->krt(), QStringLiteral("ITEMNO"));
        found.sort();
        QCOMPARE(found, expected);
    }
}

void TestStockCheckDb::layoutByEmptyResults()
{
    StockDb db;
    // 3-90002 is carried by A and B, 3-90032 by B and C, 5-90004 by A alone.
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("3-90002"));
    QCOMPARE(db.placement(0), QStringLiteral("53 290 265"));
    QCOMPARE(db.placement(1), QStringLiteral("360 290 265"));
    QCOMPARE(db.placement(2), QStringLiteral("hidden"));

    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("3-90032"));
    QCOMPARE(db.placement(0), QStringLiteral("53 200 170"));
    QCOMPARE(db.placement(1), QStringLiteral("265 200 170"));
    QCOMPARE(db.placement(2), QStringLiteral("480 200 170"));
    QCOMPARE(db.view->dataSource(0)->rowCount(), 0);
    QVERIFY(db.messages.shown.isEmpty());

    // B's empty box stands under A when only A has the item.
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("5-90004"));
    QCOMPARE(db.placement(1), QStringLiteral("360 290 265"));
    QCOMPARE(db.view->dataSource(1)->rowCount(), 0);
    QCOMPARE(db.placement(2), QStringLiteral("hidden"));

    // Nothing anywhere: the warning, and the boxes stay as they were.
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("zz-none"));
    QCOMPARE(db.messages.texts(Messages::Kind::Warning),
             QStringList{QStringLiteral("Pastikan keyword filter benar")});
    QCOMPARE(db.placement(0), QStringLiteral("53 290 265"));
    QCOMPARE(db.placement(1), QStringLiteral("360 290 265"));
    QCOMPARE(db.placement(2), QStringLiteral("hidden"));

    // Company A alone: the single layout first, then the warning when empty.
    db.messages.clear();
    db.check(StockSource::KrtOnly, "cekkode", QStringLiteral("zz-none"));
    QCOMPARE(db.placement(0), QStringLiteral("53 650 620"));
    QCOMPARE(db.placement(1), QStringLiteral("hidden"));
    QCOMPARE(db.placement(2), QStringLiteral("hidden"));
    QCOMPARE(db.messages.texts(), QStringList{QStringLiteral("Pastikan keyword filter benar")});
    db.messages.clear();
    db.check(StockSource::KrtOnly, "cekkode", QStringLiteral("3-90002"));
    QVERIFY(db.messages.shown.isEmpty());
    QCOMPARE(db.placement(0), QStringLiteral("53 650 620"));
}

void TestStockCheckDb::bindingsCarryOver()
{
    StockDb db;
    StockGrid* grid = db.view->grid(0);
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("3-90001"));
    QCOMPARE(db.cell(0, "3-90001", 14), QStringLiteral("8"));

    // Company A alone rebinds columns 0 to 12 only: ON SO and IR keep theirs, now empty.
    db.check(StockSource::KrtOnly, "cekkode", QStringLiteral("3-90001"));
    QCOMPARE(grid->columnField(12), QStringLiteral("HPP"));
    QCOMPARE(grid->columnField(13), QStringLiteral("ONSO_KRT"));
    QCOMPARE(grid->columnTitle(13), QStringLiteral("ON SO"));
    QCOMPARE(grid->columnTitle(14), QStringLiteral("IR"));
    QCOMPARE(db.cell(0, "3-90001", 14), QString());

    // Old stock rebinds 0 to 6 with its own widths; 7 to 14 keep the company bindings.
    db.check(StockSource::OldStock, "cekkode", QStringLiteral("7-5000"));
    QCOMPARE(db.box(0)->title(), QStringLiteral("OLD STOCK"));
    const QStringList fields{"ITEMNO",  "ITEMDESCRIPTION", "TIPE_BARANG", "KAPUK_KRT",
                             "MFD",     "KONDISI",         "CATATAN",     "ONPO_KRT",
                             "PEC_KRT", "PRODUKSI_KRT",    "WIP_KRT",     "PURCHPRICE",
                             "HPP",     "ONSO_KRT",        "IR_KRT"};
    for (int c = 0; c < fields.size(); ++c)
        QCOMPARE(grid->columnField(c), fields[c]);
    QCOMPARE(grid->columnTitle(2), QStringLiteral("Tipe Barang"));
    QCOMPARE(grid->columnTitle(3), QStringLiteral("QTY"));
    QCOMPARE(grid->columnTitle(6), QStringLiteral("KETERANGAN"));
    QCOMPARE(grid->columnTitle(7), QStringLiteral("ON ORDER"));
    QCOMPARE(db.cell(0, "7-50001", 2), QStringLiteral("PANEL"));
    QCOMPARE(db.cell(0, "7-50001", 3), QStringLiteral("12"));
    QCOMPARE(db.cell(0, "7-50001", 5), QStringLiteral("Baik"));
    // HPP after a KRT-only check is also an old-stock column: 3600000 / 12.
    QCOMPARE(db.cell(0, "7-50001", 12), QStringLiteral("300,000.00"));
    QCOMPARE(db.cell(0, "7-50001", 11), QStringLiteral("300,000.00"));
    const std::pair<int, int> oldWidths[] = {{1, 150}, {2, 150}, {5, 100}, {6, 150}};
    for (const auto& [column, width] : oldWidths)
        QCOMPARE(grid->designWidth(column), width);

    // The switches act by index: "Qty" hides the KAPUK_KRT column.
    auto* qty = byName<QCheckBox>(db.view->panel(), "cbltc");
    QCOMPARE(qty->text(), QStringLiteral("Qty"));
    qty->setChecked(false);
    QVERIFY(grid->isColumnHidden(3));
    qty->setChecked(true);
    QVERIFY(!grid->isColumnHidden(3));

    // Back to a company source: the old-stock widths stay.
    db.check(StockSource::KrtOnly, "cekkode", QStringLiteral("3-90001"));
    QCOMPARE(db.box(0)->title(), QStringLiteral("KRT"));
    for (const auto& [column, width] : oldWidths)
        QCOMPARE(grid->designWidth(column), width);
    QCOMPARE(grid->designWidth(0), 85);

    // After a three-company check the cost column is HPP_KRT, which old stock lacks.
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("3-90001"));
    db.check(StockSource::OldStock, "cekkode", QStringLiteral("7-5000"));
    QCOMPARE(db.cell(0, "7-50001", 12), QString());
    QCOMPARE(db.cell(0, "7-50001", 11), QStringLiteral("300,000.00"));
    QVERIFY(db.errors().isEmpty());
}

void TestStockCheckDb::databaseErrors()
{
    StockDb db;
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("3-90001"));

    // B's database is missing: B's panel stays in view with an empty grid and the server's
    // message; A and C show their rows.
    const ConnectionParams good = db.connections.soka.params();
    ConnectionParams missing = good;
    missing.database = QStringLiteral("f:\\vora\\soka\\nothere.fdb");
    db.connections.soka.setParams(missing);
    db.search("cekkode", QStringLiteral("5-90011"));
    QCOMPARE(db.errors().size(), 1);
    QVERIFY(!db.errors().first().isEmpty());
    QCOMPARE(rowOf(db.view->krt(), "5-90011"), 0);
    QCOMPARE(rowOf(db.view->kw(), "5-90011"), 0);
    QVERIFY(!db.view->soka().isActive());
    QCOMPARE(db.view->dataSource(1)->rowCount(), 0);
    QCOMPARE(db.placement(1), QStringLiteral("265 200 170"));
    QCOMPARE(db.placement(2), QStringLiteral("480 200 170"));

    // The server is back: the next check works.
    db.connections.soka.setParams(good);
    db.messages.clear();
    db.search("cekkode", QStringLiteral("5-90011"));
    QVERIFY(db.messages.shown.isEmpty());
    QCOMPARE(rowOf(db.view->soka(), "5-90011"), 0);
    QCOMPARE(rowOf(db.view->kw(), "5-90011"), 0);

    // A statement the database rejects: its own message, once for the three companies; the
    // panels stay as they were.
    byName<QLineEdit>(db.view->panel(), "sortby")->setText(QStringLiteral("a.NOSUCHCOLUMN asc"));
    db.search("cekkode", QStringLiteral("3-90001"));
    QCOMPARE(db.errors().size(), 1);
    QVERIFY2(db.errors().first().contains(QStringLiteral("NOSUCHCOLUMN")),
             qPrintable(db.errors().first()));
    for (int company = 0; company < 3; ++company)
        QCOMPARE(db.view->dataSource(company)->rowCount(), 0);
    QCOMPARE(db.placement(2), QStringLiteral("480 200 170"));
}

void TestStockCheckDb::statementsReachTheServerUnchanged()
{
    StockDb db;
    const qint64 prepares = db.connections.statistics().prepares;
    db.check(StockSource::AllCompanies, "vidarera", QStringLiteral("kabel"));
    QVERIFY(db.errors().isEmpty());
    QCOMPARE(db.connections.statistics().prepares - prepares, 3);

    StockFilters filters;
    filters.quote = QStringLiteral("'");
    filters.cutoff = kCutoff;
    filters.description = QStringLiteral("kabel");
    filters.codeClass = QStringLiteral("('3','5','7','9')");
    filters.sortBy = QStringLiteral("a.ITEMDESCRIPTION asc");
    const QString databases[3] = {ConnectionSet::krtDatabase(g_suffixes.krt),
                                  ConnectionSet::sokaDatabase(g_suffixes.soka),
                                  ConnectionSet::kwDatabase(g_suffixes.kw)};
    const QString suffixes[3] = {QStringLiteral("KRT"), QStringLiteral("SM"), QStringLiteral("KW")};
    for (int company = 0; company < 3; ++company) {
        // What the server holds for the check's attachment on each company database.
        Direct monitor(databases[company]);
        FbQuery& texts =
            monitor.run(QStringLiteral("select s.MON$SQL_TEXT from MON$STATEMENTS s join "
                                       "MON$ATTACHMENTS a on a.MON$ATTACHMENT_ID = "
                                       "s.MON$ATTACHMENT_ID where a.MON$ATTACHMENT_ID <> "
                                       "CURRENT_CONNECTION and a.MON$SYSTEM_FLAG = 0"),
                        {});
        const QStringList received = allValues(texts, QStringLiteral("MON$SQL_TEXT"));
        const QString expected =
            stockStatement(StockSource::AllCompanies, suffixes[company], filters)
                .join(QStringLiteral("\r\n"));
        QCOMPARE(received, QStringList{expected});
    }
}

void TestStockCheckDb::companyServerStopsAnswering()
{
    StockDb db;
    // Takes the connection and never answers, like a server that has hung.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress(TestServers::spareAddress(66))));
    silent.pauseAccepting();
    const ConnectionParams good = db.connections.kw.params();
    ConnectionParams hung = good;
    hung.host = silent.serverAddress().toString();
    hung.port = silent.serverPort();
    hung.connectTimeoutSeconds = 2;
    db.connections.kw.setParams(hung);

    // While C is awaited the window paints, shows the wait cursor and drops a second Enter.
    int paints = 0;
    bool waitCursor = false;
    PaintCounter counter(db.view->grid(0)->viewport(), &paints);
    QTimer::singleShot(500, [&] {
        waitCursor = QGuiApplication::overrideCursor() &&
                     QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        paints = 0;
        db.view->grid(0)->viewport()->update();
        QTest::keyClick(byName<QLineEdit>(db.view->panel(), "cekkode"), Qt::Key_Return);
    });
    const qint64 prepares = db.connections.statistics().prepares;
    db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("5-90011"));
    QVERIFY(waitCursor);
    QVERIFY(paints > 0);
    QCOMPARE(db.connections.statistics().prepares - prepares, 2);
    QCOMPARE(db.errors().size(), 1);
    QCOMPARE(rowOf(db.view->krt(), "5-90011"), 0);
    QCOMPARE(rowOf(db.view->soka(), "5-90011"), 0);
    QCOMPARE(db.view->dataSource(2)->rowCount(), 0);
    QVERIFY(!db.box(2)->isHidden());

    // The window still takes input, and once the server is back the next check finds C's row.
    db.connections.kw.setParams(good);
    db.messages.clear();
    db.search("cekkode", QStringLiteral("5-90011"));
    QVERIFY(db.messages.shown.isEmpty());
    QCOMPARE(rowOf(db.view->kw(), "5-90011"), 0);
}

void TestStockCheckDb::closingDuringACheck()
{
    const auto ourAttachments = [](const QString& database) {
        Direct monitor(database);
        return monitor
            .number(QStringLiteral("select count(*) from MON$ATTACHMENTS where "
                                   "MON$ATTACHMENT_ID <> CURRENT_CONNECTION and "
                                   "MON$SYSTEM_FLAG = 0 and MON$REMOTE_PID = :PID"),
                    {{QStringLiteral("PID"), QCoreApplication::applicationPid()}})
            .section(QLatin1Char('.'), 0, 0);
    };
    const QString krt = ConnectionSet::krtDatabase(g_suffixes.krt);
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress(TestServers::spareAddress(66))));
    silent.pauseAccepting();
    QElapsedTimer timer;
    {
        StockDb db;
        ConnectionParams hung = db.connections.kw.params();
        hung.host = silent.serverAddress().toString();
        hung.port = silent.serverPort();
        hung.connectTimeoutSeconds = 2;
        db.connections.kw.setParams(hung);
        QTimer::singleShot(300, [&] { db.window.close(); });
        timer.start();
        db.check(StockSource::AllCompanies, "cekkode", QStringLiteral("5-90011"));
        // Back within the connect time-out, with nothing more to say.
        QVERIFY2(timer.elapsed() < 6000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(db.messages.shown.isEmpty());
    }
    QCOMPARE(ourAttachments(krt), QStringLiteral("0"));
    QCOMPARE(ourAttachments(ConnectionSet::sokaDatabase(g_suffixes.soka)), QStringLiteral("0"));
}

void TestStockCheckDb::wheelAndFetchOnDemand()
{
    StockDb db;
    db.check(StockSource::KrtOnly, "vidarera", QString());
    StockGrid* grid = db.view->grid(0);
    FbQuery& krt = db.view->krt();
    QCoreApplication::processEvents();
    // Only what the grid shows has come from the server.
    QVERIFY(!krt.allFetched());
    QVERIFY(krt.fetchedRows() < 203);
    QCOMPARE(krt.currentRow(), 0);

    auto wheel = [grid](int delta) {
        QWheelEvent event(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
    };
    const int lines = QApplication::wheelScrollLines();
    QVERIFY(lines > 0);
    wheel(-120); // towards the user
    QCOMPARE(krt.currentRow(), lines);
    QCOMPARE(grid->currentIndex().row(), lines);
    // The grid scrolled its own step too: the event was not consumed.
    QVERIFY(grid->verticalScrollBar()->value() > 0);
    wheel(0);
    QCOMPARE(krt.currentRow(), lines);
    wheel(120);
    QCOMPARE(krt.currentRow(), 0);
    wheel(120);
    QCOMPARE(krt.currentRow(), 0);
    QCOMPARE(grid->currentIndex().row(), 0);

    // Towards the end it stops at the last record, fetching what it passes over.
    const int total = int(allValues(krt, QStringLiteral("ITEMNO")).size());
    krt.setCurrentRow(total - 2);
    wheel(-120);
    QCOMPARE(krt.currentRow(), total - 1);
    QCOMPARE(grid->currentIndex().row(), total - 1);
    QVERIFY(krt.eof());
    wheel(120);
    QCOMPARE(krt.currentRow(), total - 1 - lines);
    QVERIFY(!krt.eof());
}

QTEST_MAIN(TestStockCheckDb)
#include "tst_stock_check_db.moc"
