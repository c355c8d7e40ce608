// vid_test: DB
#include "app/MainWindow.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "stock/StockView.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QWheelEvent>
#include <QtTest>

// The online users list: who is marked online, on the login date or at all, in key order.
class TestOnlineUsers : public QObject
{
    Q_OBJECT

    static void execute(const QString& sql)
    {
        FbConnection c;
        c.setParams(TestServers::lanControl());
        c.execute(sql);
    }
    // The demo's stamps: everyone closed, except 100007 who never did.
    static void restoreDemoStamps()
    {
        execute(QStringLiteral("update EXTENDEDDET set INFO6='Disconnected', INFO7='17:30:05', "
                               "INFO8='10/06/2026' where EXTENDEDTYPEID=2 and INFO1<>'100007'"));
        execute(QStringLiteral("update EXTENDEDDET set INFO6='Online', INFO7='09:15:00', "
                               "INFO8='10/06/2026' where EXTENDEDTYPEID=2 and INFO1='100007'"));
    }
    static void stampOnline(const char* nik, const char* time, const char* date)
    {
        execute(QStringLiteral("update EXTENDEDDET set INFO6='Online', INFO7='%1', INFO8='%2' "
                               "where EXTENDEDTYPEID=2 and INFO1='%3'")
                    .arg(QLatin1String(time), QLatin1String(date), QLatin1String(nik)));
    }

    static QTableView* grid(MainWindow& w)
    {
        return w.findChild<QTableView*>(QStringLiteral("DBGrid5"));
    }
    static QWidget* panel(MainWindow& w, const char* name)
    {
        return w.findChild<QGroupBox*>(QLatin1String(name));
    }
    static void openList(MainWindow& w)
    {
        w.findChild<QAction*>(QStringLiteral("CekOnline1"))->trigger();
    }
    static void refresh(MainWindow& w)
    {
        w.findChild<QPushButton*>(QStringLiteral("Button4"))->click();
    }
    static QStringList rows(MainWindow& w)
    {
        QAbstractItemModel* m = grid(w)->model();
        QStringList out;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }
    static QStringList niks(MainWindow& w)
    {
        QStringList out;
        for (const QString& row : rows(w))
            out << row.section(QLatin1Char('|'), 0, 0);
        return out;
    }
    static QString controlValue(const QString& sql)
    {
        FbConnection c;
        c.setParams(TestServers::lanControl());
        FbQuery q(&c);
        q.setSql(sql);
        q.open();
        return q.eof() ? QString() : q.value(0, 0).toString();
    }

private slots:
    void initTestCase() { QVERIFY2(TestServers::available(), "test servers not configured"); }
    void init() { restoreDemoStamps(); }
    void cleanupTestCase() { restoreDemoStamps(); }

    void openingShowsTheLoginDateAndRefreshEveryone()
    {
        // On the login date: 100002 and 100006 besides the user; 100007 since yesterday.
        stampOnline("100006", "08:00:00", "11/06/2026");
        stampOnline("100002", "11:00:00", "11/06/2026");
        WindowFixture f(WindowFixture::testServers());
        f.clock.moment = QDateTime(QDate(2026, 6, 11), QTime(9, 30, 15));
        QVERIFY(f.login(QStringLiteral("100001")));
        MainWindow& w = *f.window;
        // Still running after midnight: the list keeps to the login date.
        f.clock.moment = QDateTime(QDate(2026, 6, 12), QTime(0, 5));
        f.messages.clear();
        openList(w);
        QVERIFY(!panel(w, "GroupBox9")->isHidden());
        QVERIFY(f.messages.shown.isEmpty());
        // Key order: neither by name nor by time.
        QCOMPARE(rows(w), (QStringList{
                              QStringLiteral("100001|Admin Sistem|Online|11/06/2026|09:30:15"),
                              QStringLiteral("100002|Tamu Gudang|Online|11/06/2026|11:00:00"),
                              QStringLiteral("100006|Lina All Team|Online|11/06/2026|08:00:00"),
                          }));

        refresh(w);
        QCOMPARE(niks(w), (QStringList{QStringLiteral("100001"), QStringLiteral("100002"),
                                       QStringLiteral("100006"), QStringLiteral("100007")}));
        QCOMPARE(rows(w).last(),
                 QStringLiteral("100007|Rudi Lupa Keluar|Online|10/06/2026|09:15:00"));
        QVERIFY(f.messages.shown.isEmpty());

        // The wheel turned towards the user moves the record by the system's lines.
        QTableView* g = grid(w);
        QWheelEvent wheel(QPointF(10, 10), g->viewport()->mapToGlobal(QPointF(10, 10)), {},
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(g->viewport(), &wheel);
        QCOMPARE(w.controlQuery().currentRow(), qMin(3, QApplication::wheelScrollLines()));
    }

    void columnsAndNoUserOnline()
    {
        execute(QStringLiteral("update EXTENDEDDET set INFO6='Disconnected' where INFO1='100007'"));
        WindowFixture f(WindowFixture::testServers());
        f.start();
        MainWindow& w = *f.window;
        openList(w);
        QTableView* g = grid(w);
        QCOMPARE(g->model()->rowCount(), 0);
        refresh(w);
        QCOMPARE(g->model()->rowCount(), 0);
        QVERIFY(f.messages.shown.isEmpty());
        // Only the titles show, with their widths.
        const QStringList titles{"NIK", "Nama Login", "Status", "Date", "Last Seen"};
        const QList<int> widths{74, 107, 74, 95, 90};
        QCOMPARE(g->model()->columnCount(), 5);
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(g->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
            QCOMPARE(g->columnWidth(c), widths[c]);
        }
    }

    void theListOnlyReads()
    {
        WindowFixture f(WindowFixture::testServers());
        f.start();
        MainWindow& w = *f.window;
        openList(w);
        refresh(w);
        QTableView* g = grid(w);
        QCOMPARE(g->model()->rowCount(), 1);
        QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
        const QModelIndex name = g->model()->index(0, 1);
        QVERIFY(!(g->model()->flags(name) & Qt::ItemIsEditable));
        QVERIFY(!g->model()->setData(name, QStringLiteral("Diubah"), Qt::EditRole));
        QCOMPARE(controlValue(QStringLiteral(
                     "select INFO9 from EXTENDEDDET where EXTENDEDTYPEID=2 and INFO1='100007'")),
                 QStringLiteral("Rudi Lupa Keluar"));
    }

    void sharesItsPlaceWithTheSettingPanels()
    {
        WindowFixture f(WindowFixture::testServers());
        f.start();
        MainWindow& w = *f.window;
        StockView& v = w.stockView();
        QWidget* online = panel(w, "GroupBox9");
        v.showWarehousePanel();
        openList(w);
        QVERIFY(!online->isHidden());
        QVERIFY(panel(w, "GroupBox5")->isHidden());
        QVERIFY(panel(w, "GroupBox6")->isHidden());
        v.showSettingPanel();
        QVERIFY(online->isHidden());
        openList(w);
        QVERIFY(panel(w, "GroupBox6")->isHidden());
        v.showWarehousePanel();
        QVERIFY(online->isHidden());
        openList(w);
        QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("Label6")), Qt::LeftButton);
        QVERIFY(online->isHidden());
    }

    void unreachableControlDatabase()
    {
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(f.login(QStringLiteral("100004")));
        MainWindow& w = *f.window;
        FbConnection& control = w.connections().control;
        const ConnectionParams good = control.params();
        ConnectionParams dead = good;
        dead.host = WindowFixture::deadAddress();
        dead.connectTimeoutSeconds = 2;
        f.messages.clear();

        // Opening: the connection dropped and the server gone.
        control.drop();
        control.setParams(dead);
        openList(w);
        QCOMPARE(f.messages.texts(Messages::Kind::Error).size(), 1);
        QVERIFY(!f.messages.shown[0].text.isEmpty());
        QCOMPARE(grid(w)->model()->rowCount(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());

        // Refresh while the server is away, then again once it is back.
        f.messages.clear();
        refresh(w);
        QCOMPARE(f.messages.texts(Messages::Kind::Error).size(), 1);
        QCOMPARE(grid(w)->model()->rowCount(), 0);
        control.setParams(good);
        f.messages.clear();
        refresh(w);
        QVERIFY(f.messages.shown.isEmpty());
        QCOMPARE(niks(w), (QStringList{QStringLiteral("100004"), QStringLiteral("100007")}));
    }
};

QTEST_MAIN(TestOnlineUsers)
#include "tst_online_users.moc"
