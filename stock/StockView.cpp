#include "StockView.h"

#include "ConnectionSet.h"
#include "IniFile.h"
#include "Messages.h"
#include "QueryTableModel.h"
#include "StockCheck.h"
#include "StockGrid.h"
#include "StockSettings.h"
#include "WheelRecordMover.h"
#include "WindowScaler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace
{

const QString kHintDescription = QStringLiteral("Ketik Deskripsi Barang");
const QString kHintCode = QStringLiteral("Ketik Kode Item");
const QString kNoteStart = QStringLiteral("Catatan : Harga Belum termasuk PPN");
const QString kNoteCompanies = QStringLiteral("Note : Harga belum termasuk PPN");
const QString kNoteOldStock = QStringLiteral("Wajib info gudang untuk cek kondisi !!!");
const QString kPrint = QStringLiteral("Print");
const QString kOk = QStringLiteral("OK");
const QString kPanelSource = QStringLiteral("Pilih Gudang Aktif");
const QString kPanelSetting = QStringLiteral("Setting");
const QString kLabelSource = QStringLiteral("Pilih Database Aktif");
const QString kLabelSort = QStringLiteral("Urutkan :");
const QString kLabelCode = QStringLiteral("Tampilkan Kode Barang :");
const QString kQuote = QStringLiteral("'");

// Captions of the four switches that old stock reuses for its own columns.
const QString kCaptionLtc = QStringLiteral("LTC");
const QString kCaptionMezanine = QStringLiteral("Mezanine");
const QString kCaptionRak = QStringLiteral("Rak Dediz");
const QString kCaptionBooking = QStringLiteral("Booking");
const QString kCaptionQty = QStringLiteral("Qty");
const QString kCaptionMfd = QStringLiteral("MFD");
const QString kCaptionKondisi = QStringLiteral("Kondisi");
const QString kCaptionKet = QStringLiteral("Ket");

// Grid columns of the switches.
constexpr int kColLtc = 3;
constexpr int kColMezanine = 4;
constexpr int kColRak = 5;
constexpr int kColBooking = 6;
constexpr int kColOnOrder = 7;
constexpr int kColPec = 8;
constexpr int kColProduksi = 9;
constexpr int kColWip = 10;
constexpr int kColPurchase = 11;
constexpr int kColHpp = 12;
constexpr int kColOnSo = 13;
constexpr int kColIr = 14;
constexpr int kPriceWidth = 80;
constexpr int kSwitchedOnWidth = 45;

// Design geometry (units of the 943 x 698 main window; inside a box, relative to it).
const QRect kEdit1Rect(24, 23, 289, 21);
const QRect kComboBox1Rect(319, 22, 130, 21);
const QRect kSearchRect(460, 22, 183, 21);
const QRect kPrintRect(650, 20, 75, 25);
constexpr int kBoxLeft = 17;
constexpr int kBoxWidth = 920;
constexpr int kBoxHeight = 200;
constexpr std::array<int, 3> kBoxTops{53, 265, 480};
const QRect kGridRect(9, 17, 900, 170);
const QRect kGroupBox5Rect(376, 162, 234, 287);
const QRect kGroupBox6Rect(305, 178, 344, 129);

QStringList companyFilterKinds()
{
    return {kFilterDescription, kFilterCode};
}

QStringList oldStockFilterKinds()
{
    return {kFilterDescription, kFilterCode, kFilterType};
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

template <class W> W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

StockView::StockView(QWidget* mainPanel, WindowScaler& scaler, ConnectionSet& connections,
                     Messages& messages, QObject* parent)
    : QObject(parent), m_panel(mainPanel), m_scaler(scaler), m_connections(connections),
      m_messages(messages)
{
    setObjectName(QStringLiteral("StockView"));
    m_krt.setObjectName(QStringLiteral("krt"));
    m_soka.setObjectName(QStringLiteral("soka"));
    m_kw.setObjectName(QStringLiteral("kw"));
    m_oldstk.setObjectName(QStringLiteral("Oldstk"));

    createTopBar();
    createCompanyPanels();
    // Created after the company panels so that they float over the grids.
    createSourcePanel();
    createSettingPanel();
    connectHandlers();

    std::array<StockPanel, 3> panels;
    for (int i = 0; i < 3; ++i)
        panels[i] = {m_boxes[i], m_grids[i]};
    m_check =
        std::make_unique<StockCheck>(panels, StockCheck::Queries{&m_krt, &m_soka, &m_kw, &m_oldstk},
                                     m_scaler, m_messages, m_panel);
}

StockView::~StockView() = default;

void StockView::createTopBar()
{
    m_Edit1 = named<QLineEdit>(m_panel, "Edit1");
    m_Edit1->setText(kNoteStart);
    m_Edit1->setReadOnly(true);
    QFont bold = m_Edit1->font();
    bold.setBold(true);
    m_Edit1->setFont(bold);
    QPalette yellow = m_Edit1->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    m_Edit1->setPalette(yellow);
    m_Edit1->hide();
    m_scaler.place(m_Edit1, kEdit1Rect);

    m_ComboBox1 = named<QComboBox>(m_panel, "ComboBox1");
    m_ComboBox1->addItems(oldStockFilterKinds());
    m_ComboBox1->setCurrentIndex(0);
    m_scaler.place(m_ComboBox1, kComboBox1Rect);

    m_vidarera = named<QLineEdit>(m_panel, "vidarera");
    m_vidarera->setPlaceholderText(kHintDescription);
    m_cekkode = named<QLineEdit>(m_panel, "cekkode");
    m_cekkode->setPlaceholderText(kHintCode);
    m_cektipe = named<QLineEdit>(m_panel, "cektipe");
    m_cektipe->setPlaceholderText(kHintCode);
    for (QLineEdit* e : {m_vidarera, m_cekkode, m_cektipe})
        m_scaler.place(e, kSearchRect);
    m_cekkode->hide();
    m_cektipe->hide();

    m_btnPrint = named<QPushButton>(m_panel, "btnPrint");
    m_btnPrint->setText(kPrint);
    m_btnPrint->hide();
    m_scaler.place(m_btnPrint, kPrintRect);

    m_petik = named<QLineEdit>(m_panel, "petik");
    m_petik->setText(kQuote);
    m_cektgl = named<QLineEdit>(m_panel, "cektgl");
    m_sortby = named<QLineEdit>(m_panel, "sortby");
    m_sortby->setText(kSortByDescription);
    m_tampilkode = named<QLineEdit>(m_panel, "tampilkode");
    m_tampilkode->setText(kCodeClass3579);
    for (QLineEdit* e : {m_petik, m_cektgl, m_sortby, m_tampilkode})
        e->hide();
}

void StockView::createCompanyPanels()
{
    static constexpr const char* kBoxNames[3] = {"GroupBox2", "GroupBox3", "GroupBox4"};
    static constexpr const char* kGridNames[3] = {"DBGrid2", "DBGrid3", "DBGrid4"};
    static constexpr const char* kSourceNames[3] = {"DataSource2", "DataSource3", "DataSource4"};
    const QString captions[3] = {kSourceCaptionKrt, QStringLiteral("SOKA"), QStringLiteral("KW")};
    FbQuery* queries[3] = {&m_krt, &m_soka, &m_kw};
    QVector<QueryTableModel::Column> start;
    for (const GridColumnSpec& c : startColumns())
        start.append({c.field, c.title});

    for (int i = 0; i < 3; ++i) {
        QGroupBox* box = named<QGroupBox>(m_panel, kBoxNames[i]);
        box->setTitle(captions[i]);
        box->hide();
        m_scaler.place(box, QRect(kBoxLeft, kBoxTops[i], kBoxWidth, kBoxHeight));

        StockGrid* grid = new StockGrid(m_scaler, box);
        grid->setObjectName(QLatin1String(kGridNames[i]));
        auto* source = new QueryTableModel(grid);
        source->setObjectName(QLatin1String(kSourceNames[i]));
        source->setColumns(start);
        source->setQuery(queries[i]);
        grid->setSource(source);
        for (int c = kColPurchase; c <= kColIr; ++c)
            grid->setColumnShown(c, false);
        m_scaler.place(grid, kGridRect);

        // Errors come from fetches the view starts while painting: report them afterwards.
        connect(
            source, &QueryTableModel::fetchFailed, this,
            [this](const QString& text) { m_messages.error(text); }, Qt::QueuedConnection);
        auto* mover = new WheelRecordMover(grid);
        connect(
            mover, &WheelRecordMover::fetchFailed, this,
            [this](const QString& text) { m_messages.error(text); }, Qt::QueuedConnection);

        m_boxes[i] = box;
        m_grids[i] = grid;
        m_sources[i] = source;
    }
}

void StockView::createSourcePanel()
{
    m_GroupBox5 = named<QGroupBox>(m_panel, "GroupBox5");
    m_GroupBox5->setTitle(kPanelSource);
    m_GroupBox5->hide();
    m_scaler.place(m_GroupBox5, kGroupBox5Rect);

    struct Switch {
        QCheckBox** box;
        const char* name;
        QString caption;
        int column; // 0 left, 1 right
        int row;
    };
    const Switch switches[] = {
        {&m_cbltc, "cbltc", kCaptionLtc, 0, 0},
        {&m_cbmezanine, "cbmezanine", kCaptionMezanine, 0, 1},
        {&m_cbrak, "cbrak", kCaptionRak, 0, 2},
        {&m_cbbooking, "cbbooking", kCaptionBooking, 0, 3},
        {&m_cbonorder, "cbonorder", QStringLiteral("On Order"), 0, 4},
        {&m_cbhbeli, "cbhbeli", QStringLiteral("Purchase"), 0, 5},
        {&m_cbpec, "cbpec", QStringLiteral("PEC"), 1, 0},
        {&m_cbproduksi, "cbproduksi", QStringLiteral("Produksi"), 1, 1},
        {&m_cbwip, "cbwip", QStringLiteral("WIP"), 1, 2},
        {&m_cbONSO, "cbONSO", QStringLiteral("On SO"), 1, 3},
        {&m_cbIR, "cbIR", QStringLiteral("IR"), 1, 4},
        {&m_cbhpp, "cbhpp", QStringLiteral("HPP"), 1, 5},
    };
    for (const Switch& s : switches) {
        QCheckBox* box = named<QCheckBox>(m_GroupBox5, s.name);
        box->setText(s.caption);
        m_scaler.place(box, QRect(s.column == 0 ? 16 : 124, 24 + 22 * s.row, 100, 17));
        *s.box = box;
    }
    for (QCheckBox* box : {m_cbltc, m_cbmezanine, m_cbrak, m_cbbooking, m_cbonorder})
        box->setChecked(true);
    for (QCheckBox* box : {m_cbhbeli, m_cbhpp}) {
        box->hide();
        box->setEnabled(false);
    }

    m_Label8 = named<QLabel>(m_GroupBox5, "Label8");
    m_Label8->setText(kLabelSource);
    m_scaler.place(m_Label8, QRect(16, 164, 200, 17));
    m_rb1 = named<QRadioButton>(m_GroupBox5, "rb1");
    m_rb1->setText(kSourceCaptionKrt);
    m_rb2 = named<QRadioButton>(m_GroupBox5, "rb2");
    m_rb2->setText(kSourceCaptionAll);
    m_rb3 = named<QRadioButton>(m_GroupBox5, "rb3");
    m_rb3->setText(kSourceCaptionOld);
    int top = 184;
    for (QRadioButton* rb : {m_rb1, m_rb2, m_rb3}) {
        m_scaler.place(rb, QRect(16, top, 200, 17));
        top += 21;
    }
    m_rb2->setChecked(true);
    m_rb3->hide();
    m_rb3->setEnabled(false);

    m_Button1 = named<QPushButton>(m_GroupBox5, "Button1");
    m_Button1->setText(kOk);
    m_scaler.place(m_Button1, QRect(80, 251, 75, 25));
}

void StockView::createSettingPanel()
{
    m_GroupBox6 = named<QGroupBox>(m_panel, "GroupBox6");
    m_GroupBox6->setTitle(kPanelSetting);
    m_GroupBox6->hide();
    m_scaler.place(m_GroupBox6, kGroupBox6Rect);

    auto* sortLabel = new QLabel(kLabelSort, m_GroupBox6);
    m_scaler.place(sortLabel, QRect(16, 28, 145, 17));
    m_ComboBox2 = named<QComboBox>(m_GroupBox6, "ComboBox2");
    m_ComboBox2->addItems({kSortEntryDescription, kSortEntryCode});
    m_ComboBox2->setCurrentIndex(0);
    m_scaler.place(m_ComboBox2, QRect(168, 24, 160, 21));

    auto* codeLabel = new QLabel(kLabelCode, m_GroupBox6);
    m_scaler.place(codeLabel, QRect(16, 60, 150, 17));
    m_ComboBox3 = named<QComboBox>(m_GroupBox6, "ComboBox3");
    m_ComboBox3->addItems({kCodeEntry3579, kCodeEntryAll, kCodeEntryOne});
    m_ComboBox3->setCurrentIndex(0);
    m_scaler.place(m_ComboBox3, QRect(168, 56, 160, 21));

    m_Button2 = named<QPushButton>(m_GroupBox6, "Button2");
    m_Button2->setText(kOk);
    m_scaler.place(m_Button2, QRect(134, 92, 75, 25));
}

void StockView::connectHandlers()
{
    for (QObject* o : {static_cast<QObject*>(m_vidarera), static_cast<QObject*>(m_cekkode),
                       static_cast<QObject*>(m_cektipe)})
        o->installEventFilter(this);
    for (QComboBox* combo : {m_ComboBox1, m_ComboBox2, m_ComboBox3}) {
        combo->installEventFilter(this);
        // An open list takes the keys itself.
        combo->view()->installEventFilter(this);
    }

    // `activated` is the user's choice only; the program's own selections run no handler.
    connect(m_ComboBox1, &QComboBox::activated, this, [this] {
        ComboBox1Click();
        ComboBox1Change();
    });
    connect(m_ComboBox2, &QComboBox::activated, this, [this] {
        ComboBox2Click();
        ComboBox2Change();
    });
    connect(m_ComboBox3, &QComboBox::activated, this, [this] {
        ComboBox3Click();
        ComboBox3Change();
    });

    const std::pair<QCheckBox*, void (StockView::*)()> switches[] = {
        {m_cbltc, &StockView::cbltcClick},           {m_cbmezanine, &StockView::cbmezanineClick},
        {m_cbrak, &StockView::cbrakClick},           {m_cbbooking, &StockView::cbbookingClick},
        {m_cbonorder, &StockView::cbonorderClick},   {m_cbpec, &StockView::cbpecClick},
        {m_cbproduksi, &StockView::cbproduksiClick}, {m_cbwip, &StockView::cbwipClick},
        {m_cbhbeli, &StockView::cbhbeliClick},       {m_cbhpp, &StockView::cbhppClick},
        {m_cbONSO, &StockView::cbONSOClick},         {m_cbIR, &StockView::cbIRClick},
    };
    for (const auto& [box, handler] : switches)
        connect(box, &QCheckBox::toggled, this, handler);

    // A source button's handler runs when it becomes selected, by the user or the program.
    const std::pair<QRadioButton*, void (StockView::*)()> sources[] = {
        {m_rb1, &StockView::rb1Click},
        {m_rb2, &StockView::rb2Click},
        {m_rb3, &StockView::rb3Click}};
    for (const auto& [rb, handler] : sources)
        connect(rb, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });

    connect(m_Button1, &QPushButton::clicked, this, &StockView::Button1Click);
    connect(m_Button2, &QPushButton::clicked, this, &StockView::Button2Click);
    connect(m_btnPrint, &QPushButton::clicked, this, &StockView::printRequested);
}

bool StockView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_vidarera || watched == m_cekkode || watched == m_cektipe) {
            if (!isEnter(key->key()))
                return false;
            if (watched == m_vidarera)
                vidareraKeyPress(key->key());
            else if (watched == m_cekkode)
                cekkodeKeyPress(key->key());
            else
                cektipeKeyPress(key->key());
            return true;
        }
        const QString text = key->text();
        if (text.isEmpty() || !text.front().isPrint())
            return false;
        QChar ch = text.front();
        if (watched == m_ComboBox1 || watched == m_ComboBox1->view())
            ComboBox1KeyPress(ch);
        else if (watched == m_ComboBox2 || watched == m_ComboBox2->view())
            ComboBox2KeyPress(ch);
        else if (watched == m_ComboBox3 || watched == m_ComboBox3->view())
            ComboBox3KeyPress(ch);
        return ch.isNull();
    }
    if (event->type() == QEvent::FocusOut && watched == m_ComboBox1) {
        // Opening the list or switching windows does not leave the control.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            ComboBox1Exit();
    }
    return QObject::eventFilter(watched, event);
}

// --- start-up and login ---------------------------------------------------------------------

void StockView::applyStartSql()
{
    const std::pair<FbQuery*, FbConnection*> bindings[] = {
        {&m_krt, &m_connections.VORAKRT},
        {&m_soka, &m_connections.VORASOKA},
        {&m_kw, &m_connections.VORAKW},
        {&m_oldstk, &m_connections.VORAOLD},
    };
    for (const auto& [query, connection] : bindings) {
        query->setConnection(connection);
        query->setSql(kStockStartSql);
    }
}

void StockView::prepareGrids()
{
    for (StockGrid* grid : m_grids) {
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        for (int c : {kColPec, kColProduksi, kColWip})
            grid->setColumnShown(c, false);
    }
}

void StockView::restoreSettings(const IniFile& ini)
{
    const StockSettingsRestore r = restoreStockSettings(
        [&ini](const QString& key) { return ini.read(kSettingsSection, key); });
    QCheckBox* const inKeyOrder[kStoredSwitches] = {
        m_cbltc, m_cbmezanine, m_cbrak, m_cbbooking, m_cbonorder,
        m_cbpec, m_cbproduksi, m_cbwip, m_cbONSO,    m_cbIR};
    // Each change of state runs the switch's handler.
    for (int i = 0; i < kStoredSwitches; ++i)
        if (r.ticks[i])
            inKeyOrder[i]->setChecked(*r.ticks[i]);
    if (r.source == StockSource::KrtOnly)
        m_rb1->setChecked(true);
    else if (r.source == StockSource::OldStock)
        m_rb3->setChecked(true);
    // The combo boxes only change their selection; their handlers do not run.
    if (r.sortEntry)
        m_ComboBox2->setCurrentIndex(*r.sortEntry);
    if (r.filterKind) {
        // A drop-down list can only show one of its entries.
        const int entry = m_ComboBox1->findText(*r.filterKind);
        if (entry >= 0)
            m_ComboBox1->setCurrentIndex(entry);
    }
    m_ComboBox3->setCurrentIndex(r.codeEntry);
    m_tampilkode->setText(r.codeClass);
}

QList<QPair<QString, QString>> StockView::settingsToSave() const
{
    StockSettings s;
    const QCheckBox* const inKeyOrder[kStoredSwitches] = {
        m_cbltc, m_cbmezanine, m_cbrak, m_cbbooking, m_cbonorder,
        m_cbpec, m_cbproduksi, m_cbwip, m_cbONSO,    m_cbIR};
    for (int i = 0; i < kStoredSwitches; ++i)
        s.ticks[i] = inKeyOrder[i]->isChecked();
    s.source = activeSource();
    s.sortEntry = m_ComboBox2->currentIndex();
    s.codeEntry = m_ComboBox3->currentIndex();
    s.filterKind = m_ComboBox1->currentText();
    return s.values();
}

void StockView::setCutoff(const QString& monthDayYear)
{
    m_cektgl->setText(monthDayYear);
}

void StockView::grantPriceRight()
{
    for (StockGrid* grid : m_grids) {
        for (int c : {kColPurchase, kColHpp}) {
            grid->setColumnShown(c, true);
            grid->setDesignWidth(c, kPriceWidth);
        }
    }
    for (QCheckBox* box : {m_cbhbeli, m_cbhpp}) {
        box->setChecked(true);
        box->setEnabled(true);
        box->setVisible(true);
    }
}

void StockView::applyOldStockRight(bool granted)
{
    if (granted) {
        m_rb3->setVisible(true);
        m_rb3->setEnabled(true);
    } else {
        m_rb2->setChecked(true);
    }
}

void StockView::showCompanyPanels()
{
    for (QGroupBox* box : m_boxes)
        box->show();
    m_Edit1->show();
}

StockSource StockView::activeSource() const
{
    if (m_rb1->isChecked())
        return StockSource::KrtOnly;
    if (m_rb3->isChecked())
        return StockSource::OldStock;
    return StockSource::AllCompanies;
}

QWidget* StockView::widget(const char* objectName) const
{
    return m_panel->findChild<QWidget*>(QLatin1String(objectName));
}

// --- search ---------------------------------------------------------------------------------

void StockView::vidareraKeyPress(int key)
{
    if (isEnter(key))
        search(SearchField::Description);
}

void StockView::cekkodeKeyPress(int key)
{
    if (isEnter(key))
        search(SearchField::Code);
}

void StockView::cektipeKeyPress(int key)
{
    if (isEnter(key))
        search(SearchField::Type);
}

QLineEdit* StockView::searchEdit(SearchField field) const
{
    switch (field) {
    case SearchField::Description:
        return m_vidarera;
    case SearchField::Code:
        return m_cekkode;
    case SearchField::Type:
        break;
    }
    return m_cektipe;
}

void StockView::search(SearchField field)
{
    QLineEdit* edit = searchEdit(field);
    if (!searchAccepted(field, activeSource(), edit->text()))
        return;
    for (QLineEdit* other : {m_vidarera, m_cekkode, m_cektipe})
        if (other != edit)
            other->clear();
    stockcek();
    edit->setFocus();
}

void StockView::stockcek()
{
    StockFilters filters;
    filters.quote = m_petik->text();
    filters.cutoff = m_cektgl->text();
    filters.description = m_vidarera->text();
    filters.code = m_cekkode->text();
    filters.type = m_cektipe->text();
    filters.codeClass = m_tampilkode->text();
    filters.sortBy = m_sortby->text();
    m_check->run(activeSource(), filters);
}

// --- filter kind, sort order, code class ----------------------------------------------------

void StockView::showSearchField(SearchField field)
{
    for (SearchField f : {SearchField::Description, SearchField::Code, SearchField::Type})
        searchEdit(f)->setVisible(f == field);
}

void StockView::ComboBox1KeyPress(QChar& key)
{
    key = QChar();
}

void StockView::ComboBox2KeyPress(QChar& key)
{
    key = QChar();
}

void StockView::ComboBox3KeyPress(QChar& key)
{
    key = QChar();
}

void StockView::ComboBox1Click()
{
    showSearchField(searchFieldFor(m_ComboBox1->currentText()));
}

void StockView::ComboBox1Change()
{
    showSearchField(searchFieldFor(m_ComboBox1->currentText()));
    m_sortby->setText(sortForFilterKind(m_ComboBox1->currentText()));
}

void StockView::ComboBox1Exit()
{
    showSearchField(searchFieldFor(m_ComboBox1->currentText()));
}

void StockView::ComboBox2Click()
{
    m_sortby->setText(sortForSortEntry(m_ComboBox2->currentIndex()));
}

void StockView::ComboBox2Change()
{
    m_sortby->setText(sortForSortText(m_ComboBox2->currentText()));
}

void StockView::ComboBox3Click()
{
    m_tampilkode->setText(codeClassForEntry(m_ComboBox3->currentIndex()));
}

void StockView::ComboBox3Change()
{
    m_tampilkode->setText(codeClassForEntry(m_ComboBox3->currentIndex()));
}

// --- column switches ------------------------------------------------------------------------

void StockView::switchColumn(int column, bool shown)
{
    for (StockGrid* grid : m_grids)
        grid->setColumnShown(column, shown);
}

void StockView::cbltcClick()
{
    switchColumn(kColLtc, m_cbltc->isChecked());
}

void StockView::cbmezanineClick()
{
    switchColumn(kColMezanine, m_cbmezanine->isChecked());
}

void StockView::cbrakClick()
{
    switchColumn(kColRak, m_cbrak->isChecked());
}

void StockView::cbbookingClick()
{
    switchColumn(kColBooking, m_cbbooking->isChecked());
}

void StockView::cbonorderClick()
{
    switchColumn(kColOnOrder, m_cbonorder->isChecked());
}

void StockView::cbpecClick()
{
    switchColumn(kColPec, m_cbpec->isChecked());
}

void StockView::cbproduksiClick()
{
    switchColumn(kColProduksi, m_cbproduksi->isChecked());
}

void StockView::cbwipClick()
{
    switchColumn(kColWip, m_cbwip->isChecked());
}

void StockView::cbhbeliClick()
{
    switchColumn(kColPurchase, m_cbhbeli->isChecked());
}

void StockView::cbhppClick()
{
    switchColumn(kColHpp, m_cbhpp->isChecked());
}

void StockView::cbONSOClick()
{
    const bool on = m_cbONSO->isChecked();
    for (StockGrid* grid : m_grids) {
        grid->setColumnShown(kColOnSo, on);
        if (on)
            grid->setDesignWidth(kColOnSo, kSwitchedOnWidth);
    }
}

void StockView::cbIRClick()
{
    const bool on = m_cbIR->isChecked();
    for (StockGrid* grid : m_grids) {
        grid->setColumnShown(kColIr, on);
        if (on)
            grid->setDesignWidth(kColIr, kSwitchedOnWidth);
    }
}

// --- source buttons -------------------------------------------------------------------------

void StockView::setSwitchCaptions(bool oldStock)
{
    m_cbltc->setText(oldStock ? kCaptionQty : kCaptionLtc);
    m_cbmezanine->setText(oldStock ? kCaptionMfd : kCaptionMezanine);
    m_cbrak->setText(oldStock ? kCaptionKondisi : kCaptionRak);
    m_cbbooking->setText(oldStock ? kCaptionKet : kCaptionBooking);
}

void StockView::companySource()
{
    for (QCheckBox* box : {m_cbonorder, m_cbpec, m_cbproduksi, m_cbwip})
        box->show();
    m_cbonorder->setChecked(true);
    setSwitchCaptions(false);
    // Neither the shown search field nor the sort expression follows this reset.
    m_ComboBox1->clear();
    m_ComboBox1->addItems(companyFilterKinds());
    m_ComboBox1->setCurrentIndex(0);
    m_Edit1->setText(kNoteCompanies);
}

void StockView::rb1Click()
{
    companySource();
}

void StockView::rb2Click()
{
    companySource();
}

void StockView::rb3Click()
{
    for (QCheckBox* box : {m_cbonorder, m_cbpec, m_cbproduksi, m_cbwip}) {
        box->hide();
        box->setChecked(false);
    }
    setSwitchCaptions(true);
    const QString kind = m_ComboBox1->currentText();
    m_ComboBox1->clear();
    m_ComboBox1->addItems(oldStockFilterKinds());
    m_ComboBox1->setCurrentIndex(m_ComboBox1->findText(kind));
    m_Edit1->setText(kNoteOldStock);
}

// --- panels ---------------------------------------------------------------------------------

void StockView::PilihGudang1Click()
{
    m_GroupBox6->hide();
    m_GroupBox5->show();
    m_GroupBox5->raise();
    emit panelOpened();
}

void StockView::Setting1Click()
{
    m_GroupBox5->hide();
    m_GroupBox6->show();
    m_GroupBox6->raise();
    emit panelOpened();
}

void StockView::Button1Click()
{
    m_GroupBox5->hide();
}

void StockView::Button2Click()
{
    m_GroupBox6->hide();
}
