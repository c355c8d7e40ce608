#include "stock/StockView.h"

#include "data/ConnectionSet.h"
#include "data/QueryTableModel.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"
#include "platform/WindowScaler.h"
#include "stock/StockCheck.h"
#include "stock/StockGrid.h"
#include "stock/StockSettings.h"
#include "stock/WheelRecordMover.h"

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

const QString kNoteCompanies = QStringLiteral("Note : Harga belum termasuk PPN");
const QString kNoteOldStock = QStringLiteral("Wajib info gudang untuk cek kondisi !!!");

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

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
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

    m_c = createStockControls(m_panel, m_scaler, {&m_krt, &m_soka, &m_kw});
    setSwitchCaptions(false);
    for (int i = 0; i < 3; ++i) {
        // Errors come from fetches the view starts while painting: report them afterwards.
        connect(
            m_c.sources[i], &QueryTableModel::fetchFailed, this,
            [this](const QString& text) { m_messages.error(text); }, Qt::QueuedConnection);
        auto* mover = new WheelRecordMover(m_c.grids[i]);
        connect(
            mover, &WheelRecordMover::fetchFailed, this,
            [this](const QString& text) { m_messages.error(text); }, Qt::QueuedConnection);
    }
    connectHandlers();

    std::array<StockPanel, 3> panels;
    for (int i = 0; i < 3; ++i)
        panels[i] = {m_c.boxes[i], m_c.grids[i]};
    m_check =
        std::make_unique<StockCheck>(panels, StockCheck::Queries{&m_krt, &m_soka, &m_kw, &m_oldstk},
                                     m_scaler, m_messages, m_panel);
}

StockView::~StockView() = default;

void StockView::connectHandlers()
{
    for (QObject* o : {static_cast<QObject*>(m_c.vidarera), static_cast<QObject*>(m_c.cekkode),
                       static_cast<QObject*>(m_c.cektipe)})
        o->installEventFilter(this);
    for (QComboBox* combo : {m_c.ComboBox1, m_c.ComboBox2, m_c.ComboBox3}) {
        combo->installEventFilter(this);
        // An open list takes the keys itself.
        combo->view()->installEventFilter(this);
    }

    // `activated` is the user's choice only; the program's own selections run no handler.
    connect(m_c.ComboBox1, &QComboBox::activated, this, [this] {
        ComboBox1Click();
        ComboBox1Change();
    });
    connect(m_c.ComboBox2, &QComboBox::activated, this, [this] {
        ComboBox2Click();
        ComboBox2Change();
    });
    connect(m_c.ComboBox3, &QComboBox::activated, this, [this] {
        ComboBox3Click();
        ComboBox3Change();
    });

    const std::pair<QCheckBox*, void (StockView::*)()> switches[] = {
        {m_c.cbltc, &StockView::cbltcClick},
        {m_c.cbmezanine, &StockView::cbmezanineClick},
        {m_c.cbrak, &StockView::cbrakClick},
        {m_c.cbbooking, &StockView::cbbookingClick},
        {m_c.cbonorder, &StockView::cbonorderClick},
        {m_c.cbpec, &StockView::cbpecClick},
        {m_c.cbproduksi, &StockView::cbproduksiClick},
        {m_c.cbwip, &StockView::cbwipClick},
        {m_c.cbhbeli, &StockView::cbhbeliClick},
        {m_c.cbhpp, &StockView::cbhppClick},
        {m_c.cbONSO, &StockView::cbONSOClick},
        {m_c.cbIR, &StockView::cbIRClick},
    };
    for (const auto& [box, handler] : switches)
        connect(box, &QCheckBox::toggled, this, handler);

    // A source button's handler runs when it becomes selected, by the user or the program.
    const std::pair<QRadioButton*, void (StockView::*)()> sources[] = {
        {m_c.rb1, &StockView::rb1Click},
        {m_c.rb2, &StockView::rb2Click},
        {m_c.rb3, &StockView::rb3Click}};
    for (const auto& [rb, handler] : sources)
        connect(rb, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });

    connect(m_c.Button1, &QPushButton::clicked, this, &StockView::Button1Click);
    connect(m_c.Button2, &QPushButton::clicked, this, &StockView::Button2Click);
    connect(m_c.btnPrint, &QPushButton::clicked, this, &StockView::printRequested);
}

bool StockView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_c.vidarera || watched == m_c.cekkode || watched == m_c.cektipe) {
            if (!isEnter(key->key()))
                return false;
            if (watched == m_c.vidarera)
                vidareraKeyPress(key->key());
            else if (watched == m_c.cekkode)
                cekkodeKeyPress(key->key());
            else
                cektipeKeyPress(key->key());
            return true;
        }
        const QString text = key->text();
        if (text.isEmpty() || !text.front().isPrint())
            return false;
        QChar ch = text.front();
        if (watched == m_c.ComboBox1 || watched == m_c.ComboBox1->view())
            ComboBox1KeyPress(ch);
        else if (watched == m_c.ComboBox2 || watched == m_c.ComboBox2->view())
            ComboBox2KeyPress(ch);
        else if (watched == m_c.ComboBox3 || watched == m_c.ComboBox3->view())
            ComboBox3KeyPress(ch);
        return ch.isNull();
    }
    if (event->type() == QEvent::FocusOut && watched == m_c.ComboBox1) {
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
        {&m_krt, &m_connections.krt},
        {&m_soka, &m_connections.soka},
        {&m_kw, &m_connections.kw},
        {&m_oldstk, &m_connections.oldStock},
    };
    for (const auto& [query, connection] : bindings) {
        query->setConnection(connection);
        query->setSql(kStockStartSql);
    }
}

void StockView::prepareGrids()
{
    for (StockGrid* grid : m_c.grids) {
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
        m_c.cbltc, m_c.cbmezanine, m_c.cbrak, m_c.cbbooking, m_c.cbonorder,
        m_c.cbpec, m_c.cbproduksi, m_c.cbwip, m_c.cbONSO,    m_c.cbIR};
    // Each change of state runs the switch's handler.
    for (int i = 0; i < kStoredSwitches; ++i)
        if (r.ticks[i])
            inKeyOrder[i]->setChecked(*r.ticks[i]);
    if (r.source == StockSource::KrtOnly)
        m_c.rb1->setChecked(true);
    else if (r.source == StockSource::OldStock)
        m_c.rb3->setChecked(true);
    // The combo boxes only change their selection; their handlers do not run.
    if (r.sortEntry)
        m_c.ComboBox2->setCurrentIndex(*r.sortEntry);
    if (r.filterKind) {
        // A drop-down list can only show one of its entries.
        const int entry = m_c.ComboBox1->findText(*r.filterKind);
        if (entry >= 0)
            m_c.ComboBox1->setCurrentIndex(entry);
    }
    m_c.ComboBox3->setCurrentIndex(r.codeEntry);
    m_c.tampilkode->setText(r.codeClass);
}

QList<QPair<QString, QString>> StockView::settingsToSave() const
{
    StockSettings s;
    const QCheckBox* const inKeyOrder[kStoredSwitches] = {
        m_c.cbltc, m_c.cbmezanine, m_c.cbrak, m_c.cbbooking, m_c.cbonorder,
        m_c.cbpec, m_c.cbproduksi, m_c.cbwip, m_c.cbONSO,    m_c.cbIR};
    for (int i = 0; i < kStoredSwitches; ++i)
        s.ticks[i] = inKeyOrder[i]->isChecked();
    s.source = activeSource();
    s.sortEntry = m_c.ComboBox2->currentIndex();
    s.codeEntry = m_c.ComboBox3->currentIndex();
    s.filterKind = m_c.ComboBox1->currentText();
    return s.values();
}

void StockView::setCutoff(const QString& monthDayYear)
{
    m_c.cektgl->setText(monthDayYear);
}

void StockView::grantPriceRight()
{
    for (StockGrid* grid : m_c.grids) {
        for (int c : {kColPurchase, kColHpp}) {
            grid->setColumnShown(c, true);
            grid->setDesignWidth(c, kPriceWidth);
        }
    }
    for (QCheckBox* box : {m_c.cbhbeli, m_c.cbhpp}) {
        box->setChecked(true);
        box->setEnabled(true);
        box->setVisible(true);
    }
}

void StockView::applyOldStockRight(bool granted)
{
    if (granted) {
        m_c.rb3->setVisible(true);
        m_c.rb3->setEnabled(true);
    } else {
        m_c.rb2->setChecked(true);
    }
}

void StockView::showCompanyPanels()
{
    for (QGroupBox* box : m_c.boxes)
        box->show();
    m_c.Edit1->show();
}

StockSource StockView::activeSource() const
{
    if (m_c.rb1->isChecked())
        return StockSource::KrtOnly;
    if (m_c.rb3->isChecked())
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
        return m_c.vidarera;
    case SearchField::Code:
        return m_c.cekkode;
    case SearchField::Type:
        break;
    }
    return m_c.cektipe;
}

void StockView::search(SearchField field)
{
    QLineEdit* edit = searchEdit(field);
    if (!searchAccepted(field, activeSource(), edit->text()))
        return;
    for (QLineEdit* other : {m_c.vidarera, m_c.cekkode, m_c.cektipe})
        if (other != edit)
            other->clear();
    stockcek();
    edit->setFocus();
}

void StockView::stockcek()
{
    StockFilters filters;
    filters.quote = m_c.petik->text();
    filters.cutoff = m_c.cektgl->text();
    filters.description = m_c.vidarera->text();
    filters.code = m_c.cekkode->text();
    filters.type = m_c.cektipe->text();
    filters.codeClass = m_c.tampilkode->text();
    filters.sortBy = m_c.sortby->text();
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
    showSearchField(searchFieldFor(m_c.ComboBox1->currentText()));
}

void StockView::ComboBox1Change()
{
    showSearchField(searchFieldFor(m_c.ComboBox1->currentText()));
    m_c.sortby->setText(sortForFilterKind(m_c.ComboBox1->currentText()));
}

void StockView::ComboBox1Exit()
{
    showSearchField(searchFieldFor(m_c.ComboBox1->currentText()));
}

void StockView::ComboBox2Click()
{
    m_c.sortby->setText(sortForSortEntry(m_c.ComboBox2->currentIndex()));
}

void StockView::ComboBox2Change()
{
    m_c.sortby->setText(sortForSortText(m_c.ComboBox2->currentText()));
}

void StockView::ComboBox3Click()
{
    m_c.tampilkode->setText(codeClassForEntry(m_c.ComboBox3->currentIndex()));
}

void StockView::ComboBox3Change()
{
    m_c.tampilkode->setText(codeClassForEntry(m_c.ComboBox3->currentIndex()));
}

// --- column switches ------------------------------------------------------------------------

void StockView::switchColumn(int column, bool shown)
{
    for (StockGrid* grid : m_c.grids)
        grid->setColumnShown(column, shown);
}

void StockView::cbltcClick()
{
    switchColumn(kColLtc, m_c.cbltc->isChecked());
}

void StockView::cbmezanineClick()
{
    switchColumn(kColMezanine, m_c.cbmezanine->isChecked());
}

void StockView::cbrakClick()
{
    switchColumn(kColRak, m_c.cbrak->isChecked());
}

void StockView::cbbookingClick()
{
    switchColumn(kColBooking, m_c.cbbooking->isChecked());
}

void StockView::cbonorderClick()
{
    switchColumn(kColOnOrder, m_c.cbonorder->isChecked());
}

void StockView::cbpecClick()
{
    switchColumn(kColPec, m_c.cbpec->isChecked());
}

void StockView::cbproduksiClick()
{
    switchColumn(kColProduksi, m_c.cbproduksi->isChecked());
}

void StockView::cbwipClick()
{
    switchColumn(kColWip, m_c.cbwip->isChecked());
}

void StockView::cbhbeliClick()
{
    switchColumn(kColPurchase, m_c.cbhbeli->isChecked());
}

void StockView::cbhppClick()
{
    switchColumn(kColHpp, m_c.cbhpp->isChecked());
}

void StockView::cbONSOClick()
{
    const bool on = m_c.cbONSO->isChecked();
    for (StockGrid* grid : m_c.grids) {
        grid->setColumnShown(kColOnSo, on);
        if (on)
            grid->setDesignWidth(kColOnSo, kSwitchedOnWidth);
    }
}

void StockView::cbIRClick()
{
    const bool on = m_c.cbIR->isChecked();
    for (StockGrid* grid : m_c.grids) {
        grid->setColumnShown(kColIr, on);
        if (on)
            grid->setDesignWidth(kColIr, kSwitchedOnWidth);
    }
}

// --- source buttons -------------------------------------------------------------------------

void StockView::setSwitchCaptions(bool oldStock)
{
    m_c.cbltc->setText(oldStock ? kCaptionQty : kCaptionLtc);
    m_c.cbmezanine->setText(oldStock ? kCaptionMfd : kCaptionMezanine);
    m_c.cbrak->setText(oldStock ? kCaptionKondisi : kCaptionRak);
    m_c.cbbooking->setText(oldStock ? kCaptionKet : kCaptionBooking);
}

void StockView::companySource()
{
    for (QCheckBox* box : {m_c.cbonorder, m_c.cbpec, m_c.cbproduksi, m_c.cbwip})
        box->show();
    m_c.cbonorder->setChecked(true);
    setSwitchCaptions(false);
    // Neither the shown search field nor the sort expression follows this reset.
    m_c.ComboBox1->clear();
    m_c.ComboBox1->addItems(companyFilterKinds());
    m_c.ComboBox1->setCurrentIndex(0);
    m_c.Edit1->setText(kNoteCompanies);
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
    for (QCheckBox* box : {m_c.cbonorder, m_c.cbpec, m_c.cbproduksi, m_c.cbwip}) {
        box->hide();
        box->setChecked(false);
    }
    setSwitchCaptions(true);
    const QString kind = m_c.ComboBox1->currentText();
    m_c.ComboBox1->clear();
    m_c.ComboBox1->addItems(oldStockFilterKinds());
    m_c.ComboBox1->setCurrentIndex(m_c.ComboBox1->findText(kind));
    m_c.Edit1->setText(kNoteOldStock);
}

// --- panels ---------------------------------------------------------------------------------

void StockView::PilihGudang1Click()
{
    m_c.GroupBox6->hide();
    m_c.GroupBox5->show();
    m_c.GroupBox5->raise();
    emit panelOpened();
}

void StockView::Setting1Click()
{
    m_c.GroupBox5->hide();
    m_c.GroupBox6->show();
    m_c.GroupBox6->raise();
    emit panelOpened();
}

void StockView::hideSettingPanels()
{
    m_c.GroupBox5->hide();
    m_c.GroupBox6->hide();
}

void StockView::Button1Click()
{
    m_c.GroupBox5->hide();
}

void StockView::Button2Click()
{
    m_c.GroupBox6->hide();
}
