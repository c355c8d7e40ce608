#include "stock/StockView.h"

#include "data/ConnectionSet.h"
#include "data/QueryTableModel.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"
#include "platform/WindowScaler.h"
#include "stock/StockCheck.h"
#include "stock/StockColumnSwitches.h"
#include "stock/StockGrid.h"
#include "stock/StockObjectNames.h"
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

namespace Names = StockObjectNames;

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

// Grid columns hidden at start-up and the price columns the price right shows.
constexpr int kColPec = 8;
constexpr int kColProduksi = 9;
constexpr int kColWip = 10;
constexpr int kColPurchase = 11;
constexpr int kColHpp = 12;
constexpr int kPriceWidth = 80;

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
    setObjectName(QLatin1String(Names::view));
    m_krt.setObjectName(QLatin1String(Names::krtQuery));
    m_soka.setObjectName(QLatin1String(Names::sokaQuery));
    m_kw.setObjectName(QLatin1String(Names::kwQuery));
    m_oldStock.setObjectName(QLatin1String(Names::oldStockQuery));

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
    m_check = std::make_unique<StockCheck>(panels,
                                           StockCheck::Queries{&m_krt, &m_soka, &m_kw, &m_oldStock},
                                           m_scaler, m_messages, m_panel);
}

StockView::~StockView() = default;

void StockView::connectHandlers()
{
    for (QLineEdit* edit : {m_c.descriptionEdit, m_c.codeEdit, m_c.typeEdit})
        edit->installEventFilter(this);
    for (QComboBox* combo : {m_c.filterKindCombo, m_c.sortCombo, m_c.codeClassCombo}) {
        combo->installEventFilter(this);
        // An open list takes the keys itself.
        combo->view()->installEventFilter(this);
    }

    // `activated` is the user's choice only; the program's own selections run no handler.
    connect(m_c.filterKindCombo, &QComboBox::activated, this, &StockView::filterKindChosen);
    connect(m_c.sortCombo, &QComboBox::activated, this, &StockView::sortChosen);
    connect(m_c.codeClassCombo, &QComboBox::activated, this, &StockView::codeClassChosen);

    for (const ColumnSwitch& s : kColumnSwitches) {
        QCheckBox* box = m_c.*s.box;
        connect(box, &QCheckBox::toggled, this, [this, s](bool on) {
            for (StockGrid* grid : m_c.grids) {
                grid->setColumnShown(s.column, on);
                if (on && s.shownWidth > 0)
                    grid->setDesignWidth(s.column, s.shownWidth);
            }
        });
    }

    // A source button acts when it becomes selected, by the user or the program.
    auto whenSelected = [this](QRadioButton* button, void (StockView::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    whenSelected(m_c.krtOnlyButton, &StockView::companySource);
    whenSelected(m_c.allCompaniesButton, &StockView::companySource);
    whenSelected(m_c.oldStockButton, &StockView::oldStockSource);

    connect(m_c.warehouseOkButton, &QPushButton::clicked, this,
            [this] { closePanel(m_c.warehousePanel); });
    connect(m_c.settingOkButton, &QPushButton::clicked, this,
            [this] { closePanel(m_c.settingPanel); });
    connect(m_c.printButton, &QPushButton::clicked, this, &StockView::printRequested);
}

bool StockView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return searchKeyPressed(watched, key->key()) || listKeyPressed(watched, key->text());
    }
    if (event->type() == QEvent::FocusOut && watched == m_c.filterKindCombo) {
        // Opening the list or switching windows does not leave the control.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            filterKindLeft();
    }
    return QObject::eventFilter(watched, event);
}

bool StockView::searchKeyPressed(QObject* watched, int key)
{
    // Enter starts a check; other keys are typed as usual.
    for (SearchField field : {SearchField::Description, SearchField::Code, SearchField::Type}) {
        if (watched == searchEdit(field)) {
            if (!isEnter(key))
                return false;
            search(field);
            return true;
        }
    }
    return false;
}

bool StockView::listKeyPressed(QObject* watched, const QString& text) const
{
    // Typed characters would select entries by keyboard search: the lists discard them.
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    for (QComboBox* combo : {m_c.filterKindCombo, m_c.sortCombo, m_c.codeClassCombo})
        if (watched == combo || watched == combo->view())
            return true;
    return false;
}

// --- start-up and login ---------------------------------------------------------------------

void StockView::applyStartSql()
{
    const std::pair<FbQuery*, FbConnection*> bindings[] = {
        {&m_krt, &m_connections.krt},
        {&m_soka, &m_connections.soka},
        {&m_kw, &m_connections.kw},
        {&m_oldStock, &m_connections.oldStock},
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
    // Each change of state runs the switch's handler.
    for (const ColumnSwitch& s : kColumnSwitches) {
        const int slot = storedSwitchSlot(s.key);
        if (slot >= 0 && r.ticks[slot])
            (m_c.*s.box)->setChecked(*r.ticks[slot]);
    }
    if (r.source == StockSource::KrtOnly)
        m_c.krtOnlyButton->setChecked(true);
    else if (r.source == StockSource::OldStock)
        m_c.oldStockButton->setChecked(true);
    // The lists only change their selection; their handlers do not run.
    if (r.sortEntry)
        m_c.sortCombo->setCurrentIndex(*r.sortEntry);
    if (r.filterKind) {
        // A drop-down list can only show one of its entries.
        const int entry = m_c.filterKindCombo->findText(*r.filterKind);
        if (entry >= 0)
            m_c.filterKindCombo->setCurrentIndex(entry);
    }
    m_c.codeClassCombo->setCurrentIndex(r.codeEntry);
    m_c.codeClassField->setText(r.codeClass);
}

QList<QPair<QString, QString>> StockView::settingsToSave() const
{
    StockSettings s;
    for (const ColumnSwitch& sw : kColumnSwitches) {
        const int slot = storedSwitchSlot(sw.key);
        if (slot >= 0)
            s.ticks[slot] = (m_c.*sw.box)->isChecked();
    }
    s.source = activeSource();
    s.sortEntry = m_c.sortCombo->currentIndex();
    s.codeEntry = m_c.codeClassCombo->currentIndex();
    s.filterKind = m_c.filterKindCombo->currentText();
    return s.values();
}

void StockView::setCutoff(const QString& monthDayYear)
{
    m_c.cutoffField->setText(monthDayYear);
}

void StockView::showPrintButton()
{
    m_c.printButton->show();
}

void StockView::grantPriceRight()
{
    for (StockGrid* grid : m_c.grids) {
        for (int c : {kColPurchase, kColHpp}) {
            grid->setColumnShown(c, true);
            grid->setDesignWidth(c, kPriceWidth);
        }
    }
    for (QCheckBox* box : {m_c.purchaseBox, m_c.hppBox}) {
        box->setChecked(true);
        box->setEnabled(true);
        box->setVisible(true);
    }
}

void StockView::applyOldStockRight(bool granted)
{
    if (granted) {
        m_c.oldStockButton->setVisible(true);
        m_c.oldStockButton->setEnabled(true);
    } else {
        m_c.allCompaniesButton->setChecked(true);
    }
}

void StockView::showCompanyPanels()
{
    for (QGroupBox* box : m_c.boxes)
        box->show();
    m_c.noteEdit->show();
}

StockSource StockView::activeSource() const
{
    if (m_c.krtOnlyButton->isChecked())
        return StockSource::KrtOnly;
    if (m_c.oldStockButton->isChecked())
        return StockSource::OldStock;
    return StockSource::AllCompanies;
}

// --- search ---------------------------------------------------------------------------------

QLineEdit* StockView::searchEdit(SearchField field) const
{
    switch (field) {
    case SearchField::Description:
        return m_c.descriptionEdit;
    case SearchField::Code:
        return m_c.codeEdit;
    case SearchField::Type:
        break;
    }
    return m_c.typeEdit;
}

QString StockView::searchText(SearchField field) const
{
    return searchEdit(field)->text();
}

void StockView::search(SearchField field)
{
    QLineEdit* edit = searchEdit(field);
    if (!searchAccepted(field, activeSource(), edit->text()))
        return;
    for (QLineEdit* other : {m_c.descriptionEdit, m_c.codeEdit, m_c.typeEdit})
        if (other != edit)
            other->clear();
    runStockCheck();
    edit->setFocus();
}

void StockView::runStockCheck()
{
    StockFilters filters;
    filters.quote = m_c.quoteField->text();
    filters.cutoff = m_c.cutoffField->text();
    filters.description = m_c.descriptionEdit->text();
    filters.code = m_c.codeEdit->text();
    filters.type = m_c.typeEdit->text();
    filters.codeClass = m_c.codeClassField->text();
    filters.sortBy = m_c.sortField->text();
    m_check->run(activeSource(), filters);
}

// --- filter kind, sort order, code class ----------------------------------------------------

void StockView::showSearchField(SearchField field)
{
    for (SearchField f : {SearchField::Description, SearchField::Code, SearchField::Type})
        searchEdit(f)->setVisible(f == field);
}

void StockView::filterKindChosen()
{
    showSearchField(searchFieldFor(m_c.filterKindCombo->currentText()));
    m_c.sortField->setText(sortForFilterKind(m_c.filterKindCombo->currentText()));
}

void StockView::filterKindLeft()
{
    // The shown field follows the list; the sort does not.
    showSearchField(searchFieldFor(m_c.filterKindCombo->currentText()));
}

void StockView::sortChosen()
{
    m_c.sortField->setText(sortForSortText(m_c.sortCombo->currentText()));
}

void StockView::codeClassChosen()
{
    m_c.codeClassField->setText(codeClassForEntry(m_c.codeClassCombo->currentIndex()));
}

// --- source buttons -------------------------------------------------------------------------

void StockView::setSwitchCaptions(bool oldStock)
{
    m_c.ltcBox->setText(oldStock ? kCaptionQty : kCaptionLtc);
    m_c.mezanineBox->setText(oldStock ? kCaptionMfd : kCaptionMezanine);
    m_c.rackBox->setText(oldStock ? kCaptionKondisi : kCaptionRak);
    m_c.bookingBox->setText(oldStock ? kCaptionKet : kCaptionBooking);
}

void StockView::companySource()
{
    for (QCheckBox* box : {m_c.onOrderBox, m_c.pecBox, m_c.productionBox, m_c.wipBox})
        box->show();
    m_c.onOrderBox->setChecked(true);
    setSwitchCaptions(false);
    // Neither the shown search field nor the sort expression follows this reset.
    m_c.filterKindCombo->clear();
    m_c.filterKindCombo->addItems(companyFilterKinds());
    m_c.filterKindCombo->setCurrentIndex(0);
    m_c.noteEdit->setText(kNoteCompanies);
}

void StockView::oldStockSource()
{
    for (QCheckBox* box : {m_c.onOrderBox, m_c.pecBox, m_c.productionBox, m_c.wipBox}) {
        box->hide();
        box->setChecked(false);
    }
    setSwitchCaptions(true);
    const QString kind = m_c.filterKindCombo->currentText();
    m_c.filterKindCombo->clear();
    m_c.filterKindCombo->addItems(oldStockFilterKinds());
    m_c.filterKindCombo->setCurrentIndex(m_c.filterKindCombo->findText(kind));
    m_c.noteEdit->setText(kNoteOldStock);
}

// --- panels ---------------------------------------------------------------------------------

void StockView::showWarehousePanel()
{
    m_c.settingPanel->hide();
    m_c.warehousePanel->show();
    m_c.warehousePanel->raise();
    emit settingsPanelOpened();
}

void StockView::showSettingPanel()
{
    m_c.warehousePanel->hide();
    m_c.settingPanel->show();
    m_c.settingPanel->raise();
    emit settingsPanelOpened();
}

void StockView::hideSettingPanels()
{
    m_c.warehousePanel->hide();
    m_c.settingPanel->hide();
}

void StockView::closePanel(QWidget* panel)
{
    // The focus first: hiding the panel with the focus inside would pass it on to the note
    // line, with its text selected, instead of to the search field the user was typing in.
    for (QLineEdit* edit : {m_c.descriptionEdit, m_c.codeEdit, m_c.typeEdit}) {
        if (edit->isVisibleTo(m_panel))
            edit->setFocus(Qt::OtherFocusReason);
    }
    panel->hide();
}
