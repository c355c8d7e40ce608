#include "app/MainWindow.h"
#include "data/ConnectionSet.h"
#include "data/QueryTableModel.h"
#include "platform/WindowScaler.h"
#include "stock/StockGrid.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The stock view without a database: its queries have no connection, so a check stops at
// its first statement with an error, after the statement text has been set. That is enough
// to tell whether Enter ran a check and with which texts.
class StockViewFixture
{
public:
    StockViewFixture()
    {
        window.resize(943, 698);
        scaler = std::make_unique<WindowScaler>(&window, QSize(943, 698));
        view = std::make_unique<StockView>(&window, *scaler, connections, messages);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active: focus checks will fail");
    }

    QLineEdit* edit(const char* name) const { return byName<QLineEdit>(view->panel(), name); }
    QCheckBox* box(const char* name) const { return byName<QCheckBox>(view->panel(), name); }
    QComboBox* combo(const char* name) const { return byName<QComboBox>(view->panel(), name); }
    QRadioButton* radio(const char* name) const
    {
        return byName<QRadioButton>(view->panel(), name);
    }
    // Chooses an entry of a drop-down list as the user does.
    void choose(const char* comboName, int entry) const
    {
        QComboBox* c = combo(comboName);
        c->setCurrentIndex(entry);
        emit c->activated(entry);
    }
    // Column `column` as the three grids show it: "shown" in all, "hidden" in all, or "mixed".
    QString columnState(int column) const
    {
        int shown = 0;
        for (int i = 0; i < 3; ++i)
            shown += view->grid(i)->isColumnShown(column) && !view->grid(i)->isColumnHidden(column);
        return shown == 3   ? QStringLiteral("shown")
               : shown == 0 ? QStringLiteral("hidden")
                            : QStringLiteral("mixed");
    }

    QWidget window;
    std::unique_ptr<WindowScaler> scaler;
    ConnectionSet connections;
    ScriptedMessages messages;
    std::unique_ptr<StockView> view;
};

class TestStockView : public QObject
{
    Q_OBJECT

private slots:
    void enterRules_data();
    void enterRules();
    void enterTypesAsUsualOtherwise();
    void filterKindAndSort();
    void codeClass();
    void listsAcceptNoTyping();
    void sourceButtonsAndSwitches();
    void onSoAndIrWidth();
    void priceRight();
    void oldStockRight();
    void panels();
    void panelMenuOfTheMainWindow();
    void gridWidthsFollowTheScale();
    void panelOkReturnsToTheSearchField_data();
    void panelOkReturnsToTheSearchField();
};

void TestStockView::enterRules_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("runs");

    const int krt = int(StockSource::KrtOnly);
    const int all = int(StockSource::AllCompanies);
    const int old = int(StockSource::OldStock);
    QTest::newRow("all, description 2") << all << "vidarera"
                                        << "ka" << false;
    QTest::newRow("all, description 3") << all << "vidarera"
                                        << "kab" << true;
    QTest::newRow("all, description 2 + blank") << all << "vidarera"
                                                << "ka " << true;
    QTest::newRow("all, code 2") << all << "cekkode"
                                 << "90" << false;
    QTest::newRow("all, code 3") << all << "cekkode"
                                 << "900" << true;
    QTest::newRow("all, type 3") << all << "cektipe"
                                 << "MCB" << true;
    QTest::newRow("all, type empty") << all << "cektipe"
                                     << "" << false;
    QTest::newRow("krt, description empty") << krt << "vidarera"
                                            << "" << true;
    QTest::newRow("krt, description 2") << krt << "vidarera"
                                        << "ka" << true;
    QTest::newRow("krt, code 1") << krt << "cekkode"
                                 << "9" << true;
    QTest::newRow("krt, type 2") << krt << "cektipe"
                                 << "MC" << false;
    QTest::newRow("old, description 2") << old << "vidarera"
                                        << "ka" << false;
    QTest::newRow("old, code 3") << old << "cekkode"
                                 << "OLD" << true;
    QTest::newRow("old, type empty") << old << "cektipe"
                                     << "" << true;
    QTest::newRow("old, type 1") << old << "cektipe"
                                 << "M" << true;
    // Characters, not bytes or UTF-16 units.
    QTest::newRow("all, two non-ASCII") << all << "vidarera"
                                        << "Ø²" << false;
    QTest::newRow("all, three non-ASCII") << all << "vidarera"
                                          << "mm²" << true;
}

void TestStockView::enterRules()
{
    QFETCH(int, source);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, runs);

    StockViewFixture f;
    const auto src = StockSource(source);
    if (src == StockSource::KrtOnly)
        f.radio("rb1")->setChecked(true);
    else if (src == StockSource::OldStock)
        f.radio("rb3")->setChecked(true);
    QCOMPARE(f.view->activeSource(), src);

    // The field is shown as the user shows it: by the filter kind, where the list offers it.
    const QStringList names{"vidarera", "cekkode", "cektipe"};
    const QStringList kinds{"Filter Deskripsi", "Filter Kode", "Filter Tipe"};
    const int entry = f.combo("ComboBox1")->findText(kinds[names.indexOf(field)]);
    if (entry >= 0)
        f.choose("ComboBox1", entry);
    for (const QString& name : names) {
        QLineEdit* e = f.edit(name.toLatin1());
        if (entry < 0)
            e->setVisible(name == field);
        e->setText(name == field ? text : QStringLiteral("xyz"));
    }
    QLineEdit* edit = f.edit(field.toLatin1());
    edit->setFocus();
    FbQuery& query = src == StockSource::OldStock ? f.view->oldStock() : f.view->krt();

    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(!query.sqlLines().isEmpty(), runs);
    QCOMPARE(edit->text(), text);
    for (const QString& name : names)
        if (name != field)
            QCOMPARE(f.edit(name.toLatin1())->text(), runs ? QString() : QStringLiteral("xyz"));
    if (runs) {
        // The check ran with the typed text, quoted, and stopped at its first statement.
        // (The three companies' statements have no type condition.)
        const QString literal = QLatin1Char('\'') + text + QLatin1Char('\'');
        const bool typeIgnored = field == QLatin1String("cektipe") && src != StockSource::OldStock;
        QCOMPARE(query.sqlLines().first().contains(literal), !typeIgnored);
        QCOMPARE(f.messages.texts(Messages::Kind::Error).size(), 1);
        QCOMPARE(QApplication::focusWidget(), edit);
    } else {
        QVERIFY(f.messages.shown.isEmpty());
    }
}

void TestStockView::enterTypesAsUsualOtherwise()
{
    StockViewFixture f;
    QLineEdit* edit = f.edit("vidarera");
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("ka"));
    QTest::keyClick(edit, Qt::Key_Enter); // the keypad's Enter counts as Enter too
    QCOMPARE(edit->text(), QStringLiteral("ka"));
    QVERIFY(f.view->krt().sqlLines().isEmpty());
    QTest::keyClicks(edit, QStringLiteral("b"));
    QTest::keyClick(edit, Qt::Key_Enter);
    QVERIFY(!f.view->krt().sqlLines().isEmpty());
}

void TestStockView::filterKindAndSort()
{
    StockViewFixture f;
    QLineEdit* sortby = f.edit("sortby");
    auto shownField = [&f] {
        QStringList shown;
        for (const char* name : {"vidarera", "cekkode", "cektipe"})
            if (f.edit(name)->isVisible())
                shown << QLatin1String(name);
        return shown.join(QLatin1Char(','));
    };
    QCOMPARE(shownField(), QStringLiteral("vidarera"));
    QCOMPARE(sortby->text(), QStringLiteral("a.ITEMDESCRIPTION asc"));

    f.choose("ComboBox1", 1); // Filter Kode
    QCOMPARE(shownField(), QStringLiteral("cekkode"));
    QCOMPARE(sortby->text(), QStringLiteral("a.ITEMNO asc"));
    f.choose("ComboBox1", 2); // Filter Tipe
    QCOMPARE(shownField(), QStringLiteral("cektipe"));
    QCOMPARE(sortby->text(), QStringLiteral("a.NOTES asc"));

    // "Filter Kode", then "Deskripsi Item" in Setting: the code field stays, sorted by
    // description.
    f.choose("ComboBox1", 1);
    f.choose("ComboBox2", 0);
    QCOMPARE(shownField(), QStringLiteral("cekkode"));
    QCOMPARE(sortby->text(), QStringLiteral("a.ITEMDESCRIPTION asc"));
    f.choose("ComboBox2", 1);
    QCOMPARE(sortby->text(), QStringLiteral("a.ITEMNO asc"));

    // A text set by the program: the field follows when the list is left, the sort does not.
    f.combo("ComboBox1")->setCurrentIndex(0);
    QCOMPARE(shownField(), QStringLiteral("cekkode"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(f.combo("ComboBox1"), &leave);
    QCOMPARE(shownField(), QStringLiteral("vidarera"));
    QCOMPARE(sortby->text(), QStringLiteral("a.ITEMNO asc"));

    // Leaving by focus runs the exit handler.
    f.combo("ComboBox1")->setCurrentIndex(1);
    f.combo("ComboBox1")->setFocus();
    f.edit("vidarera")->setFocus();
    QCOMPARE(shownField(), QStringLiteral("cekkode"));
}

void TestStockView::codeClass()
{
    StockViewFixture f;
    QLineEdit* tampilkode = f.edit("tampilkode");
    QCOMPARE(tampilkode->text(), QStringLiteral("('3','5','7','9')"));
    f.choose("ComboBox3", 1);
    QCOMPARE(tampilkode->text(), QStringLiteral("('3','5','7','9','1')"));
    f.choose("ComboBox3", 2);
    QCOMPARE(tampilkode->text(), QStringLiteral("('1')"));
    f.choose("ComboBox3", 0);
    QCOMPARE(tampilkode->text(), QStringLiteral("('3','5','7','9')"));

    // The check appends it to the code-class line, as it appends the sort expression.
    f.choose("ComboBox3", 2);
    f.choose("ComboBox2", 1);
    f.edit("vidarera")->setText(QStringLiteral("kabel"));
    QTest::keyClick(f.edit("vidarera"), Qt::Key_Return);
    const QStringList lines = f.view->krt().sqlLines();
    QVERIFY(lines.contains(QStringLiteral("and left (a.ITEMNO,1) in('1')")));
    QCOMPARE(lines.last(), QStringLiteral("Order by a.ITEMNO asc"));
}

void TestStockView::listsAcceptNoTyping()
{
    StockViewFixture f;
    for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3"}) {
        QComboBox* c = f.combo(name);
        QVERIFY(!c->isEditable());
        c->setFocus();
        const int before = c->currentIndex();
        // Letters that start other entries would select them by keyboard search.
        QTest::keyClicks(c, QStringLiteral("FKHS k"));
        QCOMPARE(c->currentIndex(), before);
        // Arrow keys still choose entries, and run the handlers.
        QTest::keyClick(c, Qt::Key_Down);
        QCOMPARE(c->currentIndex(), before + 1);
    }
    QCOMPARE(f.edit("sortby")->text(), QStringLiteral("a.ITEMNO asc"));
    QCOMPARE(f.edit("tampilkode")->text(), QStringLiteral("('3','5','7','9','1')"));

    QLineEdit* note = f.edit("Edit1");
    const QString text = note->text();
    note->show();
    note->setFocus();
    QTest::keyClicks(note, QStringLiteral("abc"));
    QCOMPARE(note->text(), text);
}

void TestStockView::sourceButtonsAndSwitches()
{
    StockViewFixture f;
    StockView& v = *f.view;
    v.prepareGrids();
    QCOMPARE(f.columnState(3), QStringLiteral("shown"));
    QCOMPARE(f.columnState(8), QStringLiteral("hidden"));
    for (int c = 11; c <= 14; ++c)
        QCOMPARE(f.columnState(c), QStringLiteral("hidden"));

    f.box("cbpec")->setChecked(true);
    QCOMPARE(f.columnState(8), QStringLiteral("shown"));
    f.choose("ComboBox1", 1);

    // Old stock: the four company-only switches are hidden and cleared, with their columns.
    f.radio("rb3")->setChecked(true);
    for (const char* name : {"cbonorder", "cbpec", "cbproduksi", "cbwip"}) {
        QVERIFY2(!f.box(name)->isChecked(), name);
        QVERIFY2(f.box(name)->isHidden(), name);
    }
    for (int c = 7; c <= 10; ++c)
        QCOMPARE(f.columnState(c), QStringLiteral("hidden"));
    QCOMPARE(f.box("cbltc")->text(), QStringLiteral("Qty"));
    QCOMPARE(f.box("cbmezanine")->text(), QStringLiteral("MFD"));
    QCOMPARE(f.box("cbrak")->text(), QStringLiteral("Kondisi"));
    QCOMPARE(f.box("cbbooking")->text(), QStringLiteral("Ket"));
    QCOMPARE(f.combo("ComboBox1")->count(), 3);
    QCOMPARE(f.combo("ComboBox1")->currentText(), QStringLiteral("Filter Kode"));
    QCOMPARE(f.edit("Edit1")->text(), QStringLiteral("Wajib info gudang untuk cek kondisi !!!"));

    // The switches act on the columns by index, whatever the columns show in old stock.
    const std::pair<const char*, int> switches[] = {
        {"cbltc", 3}, {"cbmezanine", 4}, {"cbrak", 5}, {"cbbooking", 6}};
    for (const auto& [name, column] : switches) {
        f.box(name)->setChecked(false);
        QCOMPARE(f.columnState(column), QStringLiteral("hidden"));
        f.box(name)->setChecked(true);
        QCOMPARE(f.columnState(column), QStringLiteral("shown"));
    }

    // Back to KRT: On Order ticked and shown again, PEC stays clear; no check runs.
    f.radio("rb1")->setChecked(true);
    QVERIFY(f.box("cbonorder")->isChecked());
    QCOMPARE(f.columnState(7), QStringLiteral("shown"));
    QVERIFY(!f.box("cbpec")->isChecked());
    QVERIFY(!f.box("cbpec")->isHidden());
    QCOMPARE(f.columnState(8), QStringLiteral("hidden"));
    QCOMPARE(f.box("cbltc")->text(), QStringLiteral("LTC"));
    QCOMPARE(f.box("cbrak")->text(), QStringLiteral("Rak Dediz"));
    QCOMPARE(f.combo("ComboBox1")->count(), 2);
    QCOMPARE(f.combo("ComboBox1")->currentText(), QStringLiteral("Filter Deskripsi"));
    // The reset of the list leaves the shown field and the sort as they were.
    QVERIFY(f.edit("cekkode")->isVisible());
    QCOMPARE(f.edit("sortby")->text(), QStringLiteral("a.ITEMNO asc"));
    QCOMPARE(f.edit("Edit1")->text(), QStringLiteral("Note : Harga belum termasuk PPN"));
    QVERIFY(v.krt().sqlLines().isEmpty());
    QVERIFY(f.messages.shown.isEmpty());
}

void TestStockView::onSoAndIrWidth()
{
    StockViewFixture f;
    for (const auto& [name, column] :
         {std::pair<const char*, int>{"cbONSO", 13}, std::pair<const char*, int>{"cbIR", 14}}) {
        QCOMPARE(f.view->grid(0)->designWidth(column), 64);
        f.box(name)->setChecked(true);
        QCOMPARE(f.columnState(column), QStringLiteral("shown"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(f.view->grid(i)->designWidth(column), 45);
        f.box(name)->setChecked(false);
        QCOMPARE(f.columnState(column), QStringLiteral("hidden"));
    }
}

void TestStockView::priceRight()
{
    StockViewFixture f;
    QCheckBox* hbeli = f.box("cbhbeli");
    QCheckBox* hpp = f.box("cbhpp");
    QVERIFY(hbeli->isHidden() && !hbeli->isEnabled() && !hbeli->isChecked());
    QVERIFY(hpp->isHidden() && !hpp->isEnabled() && !hpp->isChecked());

    f.view->grantPriceRight();
    for (int c : {11, 12}) {
        QCOMPARE(f.columnState(c), QStringLiteral("shown"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(f.view->grid(i)->designWidth(c), 80);
    }
    QVERIFY(!hbeli->isHidden() && hbeli->isEnabled() && hbeli->isChecked());
    QVERIFY(!hpp->isHidden() && hpp->isEnabled() && hpp->isChecked());
    hpp->setChecked(false);
    QCOMPARE(f.columnState(12), QStringLiteral("hidden"));
    QCOMPARE(f.columnState(11), QStringLiteral("shown"));
}

void TestStockView::oldStockRight()
{
    {
        StockViewFixture f;
        QVERIFY(f.radio("rb3")->isHidden() && !f.radio("rb3")->isEnabled());
        f.view->applyOldStockRight(true);
        QVERIFY(!f.radio("rb3")->isHidden() && f.radio("rb3")->isEnabled());
    }
    {
        // Without the right a restored old-stock source falls back to the three companies,
        // and their handler runs.
        StockViewFixture f;
        f.radio("rb3")->setChecked(true);
        f.view->applyOldStockRight(false);
        QVERIFY(f.radio("rb2")->isChecked());
        QVERIFY(f.radio("rb3")->isHidden());
        QVERIFY(f.box("cbonorder")->isChecked());
        QCOMPARE(f.edit("Edit1")->text(), QStringLiteral("Note : Harga belum termasuk PPN"));
    }
}

void TestStockView::panels()
{
    StockViewFixture f;
    QWidget* gudang = byName<QWidget>(f.view->panel(), "GroupBox5");
    QWidget* setting = byName<QWidget>(f.view->panel(), "GroupBox6");
    QSignalSpy opened(f.view.get(), &StockView::settingsPanelOpened);
    QVERIFY(gudang->isHidden() && setting->isHidden());

    f.view->showCompanyPanels();
    QVERIFY(byName<QWidget>(f.view->panel(), "GroupBox2")->isVisible());
    QVERIFY(byName<QWidget>(f.view->panel(), "Edit1")->isVisible());

    f.view->showWarehousePanel();
    QVERIFY(gudang->isVisible() && setting->isHidden());
    QCOMPARE(opened.count(), 1);
    f.view->showSettingPanel();
    QVERIFY(gudang->isHidden() && setting->isVisible());
    QCOMPARE(opened.count(), 2);
    // The panel floats over the grids.
    QWidget* top = f.window.childAt(setting->geometry().center());
    QVERIFY(top == setting || setting->isAncestorOf(top));
    QTest::mouseClick(byName<QPushButton>(f.view->panel(), "Button2"), Qt::LeftButton);
    QVERIFY(setting->isHidden());
    f.view->showWarehousePanel();
    QTest::mouseClick(byName<QPushButton>(f.view->panel(), "Button1"), Qt::LeftButton);
    QVERIFY(gudang->isHidden());
    QVERIFY(byName<QWidget>(f.view->panel(), "GroupBox2")->isVisible());
}

// The entries of the main panel's context menu open the two panels; each opening tells the
// main window, which closes its other floating panel.
void TestStockView::panelMenuOfTheMainWindow()
{
    const QString dead = WindowFixture::deadAddress();
    WindowFixture f({dead, dead, dead});
    StockView& view = f.window->stockView();
    QSignalSpy opened(&view, &StockView::settingsPanelOpened);
    byName<QAction>(f.window.get(), "PilihGudang1")->trigger();
    QVERIFY(!byName<QWidget>(view.panel(), "GroupBox5")->isHidden());
    QCOMPARE(opened.count(), 1);
    byName<QAction>(f.window.get(), "Setting1")->trigger();
    QVERIFY(!byName<QWidget>(view.panel(), "GroupBox6")->isHidden());
    QVERIFY(byName<QWidget>(view.panel(), "GroupBox5")->isHidden());
    QCOMPARE(opened.count(), 2);
}

void TestStockView::gridWidthsFollowTheScale()
{
    StockViewFixture f;
    f.view->showCompanyPanels();
    StockGrid* grid = f.view->grid(0);
    QCOMPARE(grid->columnWidth(0), 85);
    QCOMPARE(grid->columnWidth(1), 200);
    f.window.resize(943 * 2, 698 * 2);
    QTRY_COMPARE(f.scaler->factorX(), 2.0);
    QCOMPARE(grid->columnWidth(0), 170);
    QCOMPARE(grid->columnWidth(1), 400);
    f.box("cbONSO")->setChecked(true);
    QCOMPARE(grid->columnWidth(13), 90);
    QCOMPARE(grid->width(), 1800);
}

void TestStockView::panelOkReturnsToTheSearchField_data()
{
    QTest::addColumn<int>("filterKind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("panelOk");
    QTest::newRow("description, Pilih Gudang Aktif") << 0 << "vidarera"
                                                     << "Button1";
    QTest::newRow("code, Pilih Gudang Aktif") << 1 << "cekkode"
                                              << "Button1";
    QTest::newRow("description, Setting") << 0 << "vidarera"
                                          << "Button2";
}

// The user types, opens a panel from the context menu, ticks something and presses OK: the
// typing goes on where it was, not in the note line.
void TestStockView::panelOkReturnsToTheSearchField()
{
    QFETCH(int, filterKind);
    QFETCH(QString, field);
    QFETCH(QString, panelOk);
    StockViewFixture f;
    f.view->showCompanyPanels();
    f.choose("ComboBox1", filterKind);
    QLineEdit* search = f.edit(field.toLatin1());
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("kab"));

    const bool gudang = panelOk == QLatin1String("Button1");
    if (gudang) {
        f.view->showWarehousePanel();
        QTest::mouseClick(f.box("cbpec"), Qt::LeftButton);
    } else {
        f.view->showSettingPanel();
        f.combo("ComboBox2")->setFocus();
    }
    QVERIFY(!search->hasFocus());
    QTest::mouseClick(byName<QPushButton>(f.view->panel(), panelOk.toLatin1()), Qt::LeftButton);

    QCOMPARE(QApplication::focusWidget(), search);
    QVERIFY(!f.edit("Edit1")->hasSelectedText());
    QTest::keyClicks(search, QStringLiteral("el"));
    QCOMPARE(search->text(), QStringLiteral("kabel"));
}

QTEST_MAIN(TestStockView)
#include "tst_stock_view.moc"
