// vid_test: DB
#include "app/MainWindow.h"
#include "data/FbQuery.h"
#include "stock/StockGrid.h"
#include "stock/StockPrintRules.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

namespace
{

const QString kWarning = QString::fromLatin1(kStockFilterWarning);

// The lines of a prepared report: texts of the items that share a top, left to right.
QList<QStringList> linesOf(const PreparedReport& report)
{
    QList<QStringList> lines;
    for (const PreparedPage& page : report.pages) {
        QList<const PreparedItem*> items;
        for (const PreparedItem& item : page.items)
            items.append(&item);
        std::stable_sort(items.begin(), items.end(), [](auto* a, auto* b) {
            return a->top != b->top ? a->top < b->top : a->left < b->left;
        });
        float top = -1;
        for (const PreparedItem* item : items) {
            if (item->top != top)
                lines.append(QStringList());
            top = item->top;
            lines.last().append(report.itemText(*item));
        }
    }
    return lines;
}

// Data lines of the stock layouts: item code and the company named by the last cell.
QStringList printedRows(const PreparedReport& report)
{
    QStringList rows;
    for (const QStringList& line : linesOf(report))
        if (QStringList{"KRT", "SOKA", "TWSP"}.contains(line.last()))
            rows << line.first() + '@' + line.last();
    return rows;
}

// A session of the main window on the test servers, logged in with one NIK.
class Session
{
public:
    explicit Session(const QString& nik)
    {
        ok = fixture.login(nik);
        fixture.messages.clear();
    }

    MainWindow& window() { return *fixture.window; }
    StockView& view() { return fixture.window->stockView(); }
    FakeReportViewer& viewer() { return fixture.viewer; }
    ScriptedMessages& messages() { return fixture.messages; }

    // A search as Enter runs it, in the source of the radio button `rb`.
    void search(const char* rb, const QString& description)
    {
        byName<QRadioButton>(view().panel(), rb)->setChecked(true);
        filters(description, QString());
        view().runStockCheck();
    }
    void filters(const QString& description, const QString& code)
    {
        byName<QLineEdit>(view().panel(), "vidarera")->setText(description);
        byName<QLineEdit>(view().panel(), "cekkode")->setText(code);
    }
    void press(const QString& command)
    {
        messages().clear();
        if (command == "button")
            byName<QPushButton>(view().panel(), "btnPrint")->click();
        else
            window().findChild<QAction*>("stockprint1")->trigger();
    }
    QString lastTemplate() { return viewer().count() ? viewer().last().name : QString(); }

    WindowFixture fixture{WindowFixture::testServers()};
    bool ok = false;
};

} // namespace

// The two print commands of the stock window on real search results.
class TestStockPrint : public QObject
{
    Q_OBJECT

    std::unique_ptr<Session> m_admin; // 100001: print and purchase-price rights
    std::unique_ptr<Session> m_clerk; // 100003: print right, price right "Y" (not granted)

    Session& session(const QString& nik) { return nik == "100001" ? *m_admin : *m_clerk; }

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        m_admin = std::make_unique<Session>("100001");
        m_clerk = std::make_unique<Session>("100003");
        QVERIFY(m_admin->ok);
        QVERIFY(m_clerk->ok);
    }
    void cleanupTestCase()
    {
        m_admin.reset();
        m_clerk.reset();
    }

    void templateBySourceAndPriceRight_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("layout");
        QTest::newRow("KRT, price right") << "100001"
                                          << "rb1"
                                          << "menu"
                                          << "printhpp";
        QTest::newRow("KRT, no price right") << "100003"
                                             << "rb1"
                                             << "menu"
                                             << "printkrtonly";
        QTest::newRow("KRT, no price right, button") << "100003"
                                                     << "rb1"
                                                     << "button"
                                                     << "printkrtonly";
        QTest::newRow("three, price right") << "100001"
                                            << "rb2"
                                            << "menu"
                                            << "printhppalldb";
        QTest::newRow("three, price right, button") << "100001"
                                                    << "rb2"
                                                    << "button"
                                                    << "printhppalldb";
        QTest::newRow("three, no price right") << "100003"
                                               << "rb2"
                                               << "button"
                                               << "printstock";
        QTest::newRow("old stock, price right") << "100001"
                                                << "rb3"
                                                << "menu"
                                                << "printstock";
    }
    void templateBySourceAndPriceRight()
    {
        QFETCH(QString, nik);
        QFETCH(QString, source);
        QFETCH(QString, command);
        QFETCH(QString, layout);
        Session& s = session(nik);
        s.search(source.toLatin1(), "kabel");
        const int before = s.viewer().count();
        s.press(command);
        QCOMPARE(s.messages().texts(), QStringList());
        QCOMPARE(s.viewer().count(), before + 1);
        QCOMPARE(s.lastTemplate(), layout);
    }

    // The rule reads the two fields as typed, not the search that filled the results.
    void filterRule_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("printed");
        QTest::newRow("description of 2") << "ab"
                                          << "" << false;
        QTest::newRow("description of 3") << "abc"
                                          << "" << true;
        QTest::newRow("code of 3") << ""
                                   << "3-9" << true;
        QTest::newRow("code of 2") << ""
                                   << "3-" << false;
        QTest::newRow("description placeholder") << "Filter Deskripsi"
                                                 << "" << false;
        QTest::newRow("code placeholder") << ""
                                          << "Filter Kode Item" << false;
        QTest::newRow("three blanks") << "   "
                                      << "" << true;
        QTest::newRow("both short") << "ab"
                                    << "12" << false;
    }
    void filterRule()
    {
        QFETCH(QString, description);
        QFETCH(QString, code);
        QFETCH(bool, printed);
        Session& s = *m_clerk;
        s.search("rb2", "kabel");
        for (const QString command : {"button", "menu"}) {
            s.filters(description, code);
            const int before = s.viewer().count();
            s.press(command);
            QCOMPARE(s.viewer().count(), before + (printed ? 1 : 0));
            QCOMPARE(s.messages().texts(Messages::Kind::Warning),
                     printed ? QStringList() : QStringList{kWarning});
            QCOMPARE(s.messages().shown.size(), printed ? 0 : 1);
        }
    }

    // The grid's current row and the KRT result's record move together, so the button's
    // end-of-data rule sees the row the user sees.
    void printButtonFollowsTheGrid()
    {
        Session& s = *m_admin;
        s.search("rb1", "kabel");
        StockGrid* grid = s.view().grid(0);
        FbQuery& krt = s.view().krt();
        QTRY_COMPARE(grid->currentIndex().row(), 0);
        QVERIFY(grid->model()->rowCount() >= 3);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(krt.currentRow(), 1);
        const QRect third = grid->visualRect(grid->model()->index(2, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(krt.currentRow(), 2);

        // Rows ahead: the HPP list at once, without the filter rule. The report walks the
        // result to its end, and the grid then shows the last row as current.
        s.filters(QString(), QString());
        const int before = s.viewer().count();
        s.press("button");
        QCOMPARE(s.viewer().count(), before + 1);
        QCOMPARE(s.lastTemplate(), QStringLiteral("printhpp"));
        QVERIFY(krt.eof());
        QCOMPARE(krt.currentRow(), grid->model()->rowCount() - 1);
        QTRY_COMPARE(grid->currentIndex().row(), krt.currentRow());
        QVERIFY(krt.eof());

        // At the end the button keeps the filter rule.
        s.press("button");
        QCOMPARE(s.viewer().count(), before + 1);
        QCOMPARE(s.messages().texts(Messages::Kind::Warning), QStringList{kWarning});

        // A row up in the grid: rows ahead again.
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(krt.currentRow(), grid->model()->rowCount() - 2);
        QVERIFY(!krt.eof());
        s.press("button");
        QCOMPARE(s.viewer().count(), before + 2);
    }

    // A search by type empties both filter fields, so neither command prints after it.
    void typeSearchLeavesNothingToPrint()
    {
        Session& s = *m_admin;
        byName<QRadioButton>(s.view().panel(), "rb3")->setChecked(true);
        s.filters("kabel", "3-9");
        byName<QLineEdit>(s.view().panel(), "cektipe")->setText("PANEL");
        QTest::keyClick(byName<QLineEdit>(s.view().panel(), "cektipe"), Qt::Key_Return);
        QCOMPARE(byName<QLineEdit>(s.view().panel(), "vidarera")->text(), QString());
        for (const QString command : {"button", "menu"}) {
            const int before = s.viewer().count();
            s.press(command);
            QCOMPARE(s.viewer().count(), before);
            QCOMPARE(s.messages().texts(), QStringList{kWarning});
        }
    }

    // The button prints company A's HPP list at once while the KRT result has rows ahead;
    // the report leaves the result at its end, so a second press meets the filter rule.
    void shortcutAndSecondPress()
    {
        Session& s = *m_admin;
        s.search("rb1", "kabel");
        FbQuery& krt = s.view().krt();
        QVERIFY(!krt.eof());
        s.filters("k", "");

        s.press("menu");
        QCOMPARE(s.messages().texts(), QStringList{kWarning});
        const int before = s.viewer().count();

        s.press("button");
        QCOMPARE(s.messages().texts(), QStringList());
        QCOMPARE(s.viewer().count(), before + 1);
        QCOMPARE(s.lastTemplate(), QString("printhpp"));
        QVERIFY(krt.isActive());
        QVERIFY(krt.eof());
        QVERIFY(krt.allFetched());
        QCOMPARE(krt.currentRow(), krt.fetchedRows() - 1);
        // Title, column titles, one line per row, closing line.
        QCOMPARE(linesOf(s.viewer().last()).size(), krt.fetchedRows() + 3);

        s.press("button");
        QCOMPARE(s.messages().texts(), QStringList{kWarning});
        QCOMPARE(s.viewer().count(), before + 1);
    }

    // An empty KRT result gives no shortcut; a filled-in filter still prints the HPP list.
    void emptyKrtResult()
    {
        Session& s = *m_admin;
        s.search("rb1", "zzqqxx");
        QVERIFY(s.view().krt().eof());
        for (const QString command : {"button", "menu"}) {
            const int before = s.viewer().count();
            s.press(command);
            QCOMPARE(s.messages().texts(), QStringList());
            QCOMPARE(s.viewer().count(), before + 1);
            QCOMPARE(s.lastTemplate(), QString("printhpp"));
            for (const QStringList& line : linesOf(s.viewer().last()))
                QVERIFY2(!line.first().contains(QRegularExpression("^\\d-")),
                         qPrintable(line.join('|')));
        }
    }

    // Every row of A, then B, then C, in result order, each naming its company; printing
    // twice prints the same rows.
    void companiesInOrder()
    {
        Session& s = *m_clerk;
        s.search("rb2", "kabel");
        s.press("menu");
        QCOMPARE(s.lastTemplate(), QString("printstock"));

        QStringList expected;
        const QPair<FbQuery*, QString> companies[] = {
            {&s.view().krt(), "KRT"}, {&s.view().soka(), "SOKA"}, {&s.view().kw(), "TWSP"}};
        for (const auto& [query, db] : companies) {
            QVERIFY(query->eof());
            QVERIFY(query->allFetched());
            QVERIFY(query->fetchedRows() > 0);
            const int item = query->fieldIndex("ITEMNO");
            for (int row = 0; row < query->fetchedRows(); ++row)
                expected << query->value(row, item).toString() + '@' + db;
        }
        const QStringList printed = printedRows(s.viewer().last());
        QCOMPARE(printed, expected);
        QVERIFY(printed.contains("3-90031@KRT"));
        QVERIFY(printed.contains("3-90031@SOKA"));
        QVERIFY(printed.contains("3-90032@TWSP"));
        QVERIFY(!printed.contains("3-90032@KRT"));

        // Company A's row of 3-90001: LTC 3, Mezanine 0, Rak 1, Booking 0, On Order 0.
        const QStringList line = s.viewer().lineOf("3-90001");
        QCOMPARE(line.size(), 9);
        QCOMPARE(line.mid(3), QStringList({"3", "0", "1", "0", "0", "KRT"}));

        s.press("button");
        QCOMPARE(printedRows(s.viewer().last()), expected);
    }

    // Old stock prints the companies' results of the last company search, not the old
    // stock shown in the grid; before any company search there is nothing to print.
    void oldStockPrintsCompanyResults()
    {
        Session fresh("100001");
        QVERIFY(fresh.ok);
        fresh.search("rb3", "Panel");
        QVERIFY(fresh.view().oldStock().locate("ITEMNO", "7-50001"));
        fresh.press("menu");
        QCOMPARE(fresh.messages().texts(), QStringList());
        QCOMPARE(fresh.lastTemplate(), QString("printstock"));
        QCOMPARE(printedRows(fresh.viewer().last()), QStringList());

        fresh.search("rb2", "kabel");
        fresh.search("rb3", "Panel");
        fresh.press("button");
        QCOMPARE(fresh.messages().texts(), QStringList());
        QCOMPARE(fresh.lastTemplate(), QString("printstock"));
        const QStringList printed = printedRows(fresh.viewer().last());
        QVERIFY(printed.contains("3-90031@KRT"));
        QVERIFY(printed.contains("3-90032@SOKA"));
        QVERIFY(!fresh.viewer().texts().contains("7-50001"));
    }

    // A result closed by another feature opens again with the statement it holds; one the
    // server rejects shows the server's message and no report.
    void closedResults()
    {
        Session& s = *m_clerk;
        s.search("rb1", "kabel");
        s.press("menu");
        const QStringList rows = printedRows(s.viewer().last());
        QVERIFY(!rows.isEmpty());

        s.window().connections().krt.drop();
        QVERIFY(!s.view().krt().isActive());
        s.press("menu");
        QCOMPARE(s.messages().texts(), QStringList());
        QCOMPARE(printedRows(s.viewer().last()), rows);

        FbQuery& krt = s.view().krt();
        const QStringList statement = krt.sqlLines();
        krt.setSql("select NOSUCHCOLUMN from ITEM");
        const int before = s.viewer().count();
        s.press("menu");
        QCOMPARE(s.viewer().count(), before);
        const QStringList errors = s.messages().texts(Messages::Kind::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains("NOSUCHCOLUMN"), qPrintable(errors.first()));
        krt.clearSql();
        for (const QString& line : statement)
            krt.addSql(line);
    }
};

QTEST_MAIN(TestStockPrint)
#include "tst_stock_print.moc"
