// vid_test: DB
#include "app/MainWindow.h"
#include "data/ConnectionSet.h"
#include "data/FbQuery.h"
#include "data/FbStatistics.h"
#include "data/QueryTableModel.h"
#include "stock/ItemToBuyReport.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace
{

// Where a report item stands.
struct Place {
    int page = -1;
    float top = -1;
    bool operator==(const Place&) const = default;
};

// The page and top of master row `index`: the title (11 mm) and the column titles (5 mm)
// open the first page, then 5 mm per row on pages of 297 mm without margins.
Place rowPlace(int index)
{
    constexpr int firstPageRows = (297 - 16) / 5;
    constexpr int pageRows = 297 / 5;
    if (index < firstPageRows)
        return {0, float(16 + 5 * index)};
    const int rest = index - firstPageRows;
    return {1 + rest / pageRows, float(5 * (rest % pageRows))};
}

// Item-code cells (the first column) by their text.
QHash<QString, Place> codePlaces(const PreparedReport& report)
{
    QHash<QString, Place> places;
    for (int p = 0; p < report.pageCount(); ++p)
        for (const PreparedItem& item : report.pages.at(p).items)
            if (item.left == 0 && !places.contains(item.text))
                places.insert(item.text, {p, item.top});
    return places;
}

QStringList itemCodes(FbQuery& query)
{
    QStringList codes;
    const int column = query.fieldIndex("ITEMNO");
    for (int row = 0; row < query.fetchedRows(); ++row)
        codes << query.value(row, column).toString();
    return codes;
}

ConnectionParams krtDatabase()
{
    return TestServers::params(TestServers::lan(), ConnectionSet::kLanPort,
                               ConnectionSet::krtDatabase(TestServers::suffixes().krt));
}

void setMinimum(const QString& item, int minimum)
{
    FbConnection krt;
    krt.setParams(krtDatabase());
    krt.execute("update ITEM set MINIMUMQTY = :MINIMUM where ITEMNO = :ITEMNO",
                {{"MINIMUM", minimum}, {"ITEMNO", item}});
}

// Takes connections and never answers, like a server that has hung; connections to it give
// up after two seconds.
class SilentServer
{
public:
    SilentServer()
    {
        m_server.listen(QHostAddress(TestServers::spareAddress(67)));
        m_server.pauseAccepting();
    }
    bool listening() const { return m_server.isListening(); }
    ConnectionParams params(ConnectionParams p) const
    {
        p.host = m_server.serverAddress().toString();
        p.port = m_server.serverPort();
        p.connectTimeoutSeconds = 2;
        return p;
    }

private:
    QTcpServer m_server;
};

// Attachments of this process to a company database, other than the one asking.
int ourAttachments(const QString& database)
{
    FbConnection monitor;
    monitor.setParams(TestServers::params(TestServers::lan(), ConnectionSet::kLanPort, database));
    FbQuery q(&monitor);
    q.setSql("select count(*) C from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION "
             "and MON$SYSTEM_FLAG = 0 and MON$REMOTE_PID = :PID");
    q.setParam("PID", QCoreApplication::applicationPid());
    q.open();
    return q.field("C").toInt();
}

// The main window on the test servers, logged in as 100001 (item-to-buy right).
class Session
{
public:
    Session() { ok = fixture.login("100001"); }

    StockView& view() { return fixture.window->stockView(); }
    ItemToBuyReport& report() { return *fixture.window->findChild<ItemToBuyReport*>(); }
    // The menu entry "Item to Buy"; the new report, or null when none was previewed.
    const PreparedReport* run()
    {
        fixture.messages.clear();
        const int before = fixture.viewer.count();
        fixture.window->findChild<QAction*>("ItemtoBuy1")->trigger();
        return fixture.viewer.count() > before ? &fixture.viewer.last() : nullptr;
    }
    void search(const QString& description)
    {
        byName<QRadioButton>(view().panel(), "rb2")->setChecked(true);
        byName<QLineEdit>(view().panel(), "vidarera")->setText(description);
        view().runStockCheck();
    }
    int gridRows(int company) { return view().dataSource(company)->rowCount(); }

    WindowFixture fixture{WindowFixture::testServers()};
    bool ok = false;
};

} // namespace

// "Item to Buy" against the demo databases.
class TestItemToBuy : public QObject
{
    Q_OBJECT

    std::unique_ptr<Session> m_session;
    PreparedReport m_report;
    QStringList m_master; // item codes of company A's rows, in report order

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        m_session = std::make_unique<Session>();
        QVERIFY(m_session->ok);
        const PreparedReport* report = m_session->run();
        QCOMPARE(m_session->fixture.messages.texts(), QStringList());
        QVERIFY(report);
        QCOMPARE(report->name, QString("printitemtobuy"));
        m_report = *report;
        FbQuery& master = m_session->report().krtItems();
        QVERIFY(master.eof());
        QVERIFY(master.allFetched());
        m_master = itemCodes(master);
    }
    void cleanupTestCase() { m_session.reset(); }

    // Sums over the three companies; a company without the item adds nothing.
    void knownItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("row");
        // Item Code .. Item to Buy: code, description, LTC, Mezanine, Rak Dediz, Booking,
        // On Order, On Sales, Buffer Stock, Item to Buy.
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("nothing anywhere")
            << "5-90010"
            << "shown"
            << QStringList{
                   "5-90010", "Stop Kontak Broco 2 Lubang", "0", "0", "0", "0", "0", "0", "10",
                   "10"};
        QTest::newRow("covered by B and C") << "5-90011"
                                            << "hidden" << QStringList();
        QTest::newRow("A's booking never counts")
            << "5-90012"
            << "shown"
            << QStringList{
                   "5-90012", "Lampu LED Philips 9W Putih", "0", "0", "0", "50", "0", "0", "10",
                   "10"};
        QTest::newRow("absent from B and C")
            << "5-90013"
            << "shown"
            << QStringList{"5-90013", "Obeng 6\" Plus d'Lux", "0", "0", "1", "0", "0", "0", "5",
                           "4"};
        QTest::newRow("B's booking hides") << "5-90015"
                                           << "hidden" << QStringList();
        QTest::newRow("orders count")
            << "5-90017"
            << "shown" << QStringList{"5-90017", QString::fromUtf8("Klem Pipa ½\" Galvanis"),
                                      "5",       "0",
                                      "0",       "100",
                                      "10",      "3",
                                      "20",      "8"};
        QTest::newRow("minimum 0") << "5-90014"
                                   << "absent" << QStringList();
        QTest::newRow("minimum null") << "5-90016"
                                      << "absent" << QStringList();
        QTest::newRow("enough stock") << "5-90018"
                                      << "absent" << QStringList();
        QTest::newRow("no minimum") << "3-90001"
                                    << "absent" << QStringList();
    }
    void knownItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, row);
        QFETCH(QStringList, cells);
        const int index = int(m_master.indexOf(item));
        const QHash<QString, Place> places = codePlaces(m_report);
        QCOMPARE(index >= 0, row != "absent");
        QCOMPARE(places.contains(item), row == "shown");
        if (row != "shown")
            return;
        // Hidden rows keep their lines, so every shown row stands where its index puts it.
        QCOMPARE(places.value(item), rowPlace(index));
        QStringList line;
        const QList<PreparedItem>& items = m_report.pages.at(places.value(item).page).items;
        for (const PreparedItem& cell : items)
            if (cell.top == places.value(item).top)
                line << m_report.itemText(cell);
        QCOMPARE(line.size(), 13);
        QCOMPARE(line.mid(0, 10), cells);
    }

    // Company A's item tree order: a parent before its children.
    void treeOrder()
    {
        const qsizetype parent = m_master.indexOf("5-90021");
        QVERIFY(parent >= 0);
        QCOMPARE(m_master.mid(parent, 3), QStringList({"5-90021", "5-90023", "5-90022"}));
    }

    // The command drops the company connections: the stock grids empty until a new search.
    void companyGridsEmptyAfterwards()
    {
        Session& s = *m_session;
        s.search("kabel");
        for (int company = 0; company < 3; ++company)
            QVERIFY(s.gridRows(company) > 0);
        QVERIFY(s.run());
        for (int company = 0; company < 3; ++company)
            QCOMPARE(s.gridRows(company), 0);
        for (FbQuery* query : {&s.view().krt(), &s.view().soka(), &s.view().kw()})
            QVERIFY(!query->isActive());
        QVERIFY(s.report().krtItems().isActive());

        s.search("kabel");
        for (int company = 0; company < 3; ++company)
            QVERIFY(s.gridRows(company) > 0);
    }

    void runTwiceShowsCurrentState()
    {
        Session& s = *m_session;
        const PreparedReport* report = s.run();
        QVERIFY(report);
        FakeReportViewer& viewer = s.fixture.viewer;
        QCOMPARE(viewer.lineOf("5-90010").mid(8, 2), QStringList({"10", "10"}));

        setMinimum("5-90010", 12);
        auto restore = qScopeGuard([] { setMinimum("5-90010", 10); });
        QVERIFY(s.run());
        QCOMPARE(viewer.lineOf("5-90010").mid(8, 2), QStringList({"12", "12"}));
    }

    // A company database that cannot be reached ends the command with the error.
    void databaseErrorIsShown()
    {
        Session s;
        QVERIFY(s.ok);
        ConnectionParams dead = s.fixture.window->connections().kw.params();
        dead.host = WindowFixture::deadAddress();
        s.fixture.window->connections().kw.setParams(dead);
        QCOMPARE(s.run(), nullptr);
        const QStringList errors = s.fixture.messages.texts(Messages::Kind::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY(!errors.first().isEmpty());
    }

    // One prepare per statement and company for the whole report: the master, and on B and C
    // the question which codes they hold and the detail, run again with each code they hold.
    void detailsPreparedOnce()
    {
        Session& s = *m_session;
        const FbStatistics& statistics = s.fixture.window->connections().statistics();
        const qint64 prepares = statistics.prepares;
        const qint64 executions = statistics.executions;
        QVERIFY(s.run());
        QCOMPARE(statistics.prepares - prepares, 5);
        // 5-90013 is absent from B and C: at least its two details are not run.
        QVERIFY(m_master.contains("5-90013"));
        const qint64 ran = statistics.executions - executions;
        QVERIFY2(ran >= 3 + 2 && ran <= 3 + 2 * (m_master.size() - 1),
                 qPrintable(QString::number(ran)));
        QCOMPARE(itemCodes(s.report().krtItems()), m_master);
    }

    // Cancelled while company B does not answer: no report, no message, and the stock grids
    // and company connections stay as they were.
    void cancelLeavesEverythingAsItWas()
    {
        Session s;
        QVERIFY(s.ok);
        SilentServer silent;
        QVERIFY(silent.listening());
        s.search("kabel");
        s.fixture.window->connections().soka.setParams(
            silent.params(s.fixture.window->connections().soka.params()));
        QVERIFY(s.gridRows(0) > 0 && s.gridRows(2) > 0);
        const int rows[2] = {s.gridRows(0), s.gridRows(2)};
        bool dialogShown = false;
        QTimer::singleShot(700, [&] {
            auto* progress = s.fixture.window->findChild<QProgressDialog*>("itemToBuyProgress");
            dialogShown = progress && progress->isVisible();
            if (progress)
                if (auto* button = progress->findChild<QPushButton*>())
                    button->click();
        });
        QCOMPARE(s.run(), nullptr);
        QVERIFY(dialogShown);
        QVERIFY2(s.fixture.messages.shown.isEmpty(),
                 qPrintable(s.fixture.messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(s.gridRows(0), rows[0]);
        QCOMPARE(s.gridRows(2), rows[1]);
        QVERIFY(s.view().krt().isActive() && s.view().kw().isActive());
        QVERIFY(!s.report().krtItems().isActive());
        QVERIFY(!s.fixture.window->findChild<QProgressDialog*>("itemToBuyProgress"));
    }

    // Closing the window while the report reads: back within the connect time-out, nothing
    // said, and once the window is gone no attachment of ours is left on the servers.
    void closingDuringTheReport()
    {
        SilentServer silent;
        QVERIFY(silent.listening());
        QElapsedTimer timer;
        {
            Session s;
            QVERIFY(s.ok);
            ConnectionSet& connections = s.fixture.window->connections();
            connections.kw.setParams(silent.params(connections.kw.params()));
            s.fixture.window->show();
            QTimer::singleShot(300, [&] { s.fixture.window->close(); });
            timer.start();
            QCOMPARE(s.run(), nullptr);
            QVERIFY2(timer.elapsed() < 6000, qPrintable(QString::number(timer.elapsed())));
            QVERIFY(!s.fixture.window->isVisible());
            // Only the closing question.
            const QStringList errors = s.fixture.messages.texts(Messages::Kind::Error);
            QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('|'))));
        }
        for (const QString& database : {ConnectionSet::krtDatabase(TestServers::suffixes().krt),
                                        ConnectionSet::sokaDatabase(TestServers::suffixes().soka)})
            QCOMPARE(ourAttachments(database), 0);
    }
};

QTEST_MAIN(TestItemToBuy)
#include "tst_item_to_buy.moc"
