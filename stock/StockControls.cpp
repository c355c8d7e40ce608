#include "stock/StockControls.h"

#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/WindowScaler.h"
#include "stock/StockGrid.h"
#include "stock/StockObjectNames.h"
#include "stock/StockStatements.h"
#include "stock/StockViewRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace
{

namespace Names = StockObjectNames;

const QString kHintDescription = QStringLiteral("Ketik Deskripsi Barang");
const QString kHintCode = QStringLiteral("Ketik Kode Item");
const QString kNoteStart = QStringLiteral("Catatan : Harga Belum termasuk PPN");
const QString kPrint = QStringLiteral("Print");
const QString kOk = QStringLiteral("OK");
const QString kPanelSource = QStringLiteral("Pilih Gudang Aktif");
const QString kPanelSetting = QStringLiteral("Setting");
const QString kLabelSource = QStringLiteral("Pilih Database Aktif");
const QString kLabelSort = QStringLiteral("Urutkan :");
const QString kLabelCode = QStringLiteral("Tampilkan Kode Barang :");
const QString kQuote = QStringLiteral("'");

// Design geometry (units of the 943 x 698 main window; inside a box, relative to it).
const QRect kNoteRect(24, 23, 289, 21);
const QRect kFilterKindRect(319, 22, 130, 21);
const QRect kSearchRect(460, 22, 183, 21);
const QRect kPrintRect(650, 20, 75, 25);
constexpr int kBoxLeft = 17;
constexpr int kBoxWidth = 920;
constexpr int kBoxHeight = 200;
constexpr std::array<int, 3> kBoxTops{53, 265, 480};
const QRect kGridRect(9, 17, 900, 170);
constexpr int kFirstPriceColumn = 11; // 11 to 14 start hidden
const QRect kWarehousePanelRect(376, 162, 234, 287);
const QRect kSettingPanelRect(305, 178, 344, 129);

template <class W> W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

void createTopBar(StockControls& c, QWidget* panel, WindowScaler& scaler)
{
    c.noteEdit = named<QLineEdit>(panel, Names::noteEdit);
    c.noteEdit->setText(kNoteStart);
    c.noteEdit->setReadOnly(true);
    QFont bold = c.noteEdit->font();
    bold.setBold(true);
    c.noteEdit->setFont(bold);
    QPalette yellow = c.noteEdit->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    c.noteEdit->setPalette(yellow);
    c.noteEdit->hide();
    scaler.place(c.noteEdit, kNoteRect);

    c.filterKindCombo = named<QComboBox>(panel, Names::filterKindCombo);
    c.filterKindCombo->addItems(oldStockFilterKinds());
    c.filterKindCombo->setCurrentIndex(0);
    scaler.place(c.filterKindCombo, kFilterKindRect);

    c.descriptionEdit = named<QLineEdit>(panel, Names::descriptionEdit);
    c.descriptionEdit->setPlaceholderText(kHintDescription);
    c.codeEdit = named<QLineEdit>(panel, Names::codeEdit);
    c.codeEdit->setPlaceholderText(kHintCode);
    c.typeEdit = named<QLineEdit>(panel, Names::typeEdit);
    c.typeEdit->setPlaceholderText(kHintCode);
    for (QLineEdit* e : {c.descriptionEdit, c.codeEdit, c.typeEdit})
        scaler.place(e, kSearchRect);
    c.codeEdit->hide();
    c.typeEdit->hide();

    c.printButton = named<QPushButton>(panel, Names::printButton);
    c.printButton->setText(kPrint);
    c.printButton->hide();
    scaler.place(c.printButton, kPrintRect);

    c.quoteField = named<QLineEdit>(panel, Names::quoteField);
    c.quoteField->setText(kQuote);
    c.cutoffField = named<QLineEdit>(panel, Names::cutoffField);
    c.sortField = named<QLineEdit>(panel, Names::sortField);
    c.sortField->setText(kSortByDescription);
    c.codeClassField = named<QLineEdit>(panel, Names::codeClassField);
    c.codeClassField->setText(kCodeClass3579);
    for (QLineEdit* e : {c.quoteField, c.cutoffField, c.sortField, c.codeClassField})
        e->hide();
}

void createCompanyPanels(StockControls& c, QWidget* panel, WindowScaler& scaler,
                         const std::array<FbQuery*, 3>& queries)
{
    const QString captions[3] = {kSourceCaptionKrt, QStringLiteral("SOKA"), QStringLiteral("KW")};
    QVector<QueryTableModel::Column> start;
    for (const GridColumnSpec& column : startColumns())
        start.append({column.field, column.title});

    for (int i = 0; i < 3; ++i) {
        QGroupBox* box = named<QGroupBox>(panel, Names::companyBoxes[i]);
        box->setTitle(captions[i]);
        box->hide();
        scaler.place(box, QRect(kBoxLeft, kBoxTops[i], kBoxWidth, kBoxHeight));

        auto* grid = new StockGrid(scaler, box);
        grid->setObjectName(QLatin1String(Names::companyGrids[i]));
        auto* source = new QueryTableModel(grid);
        source->setObjectName(QLatin1String(Names::companySources[i]));
        source->setColumns(start);
        source->setQuery(queries[i]);
        grid->setSource(source);
        for (int column = kFirstPriceColumn; column < kStockGridColumns; ++column)
            grid->setColumnShown(column, false);
        scaler.place(grid, kGridRect);

        c.boxes[i] = box;
        c.grids[i] = grid;
        c.sources[i] = source;
    }
}

void createSourcePanel(StockControls& c, QWidget* panel, WindowScaler& scaler)
{
    c.warehousePanel = named<QGroupBox>(panel, Names::warehousePanel);
    c.warehousePanel->setTitle(kPanelSource);
    c.warehousePanel->hide();
    c.warehousePanel->setAutoFillBackground(true); // floats over the grids
    scaler.place(c.warehousePanel, kWarehousePanelRect);

    struct Switch {
        QCheckBox** box;
        const char* name;
        QString caption; // empty: set by the view with the source
        int side;        // 0 left, 1 right
        int row;
    };
    const Switch switches[] = {
        {&c.ltcBox, Names::ltcBox, {}, 0, 0},
        {&c.mezanineBox, Names::mezanineBox, {}, 0, 1},
        {&c.rackBox, Names::rackBox, {}, 0, 2},
        {&c.bookingBox, Names::bookingBox, {}, 0, 3},
        {&c.onOrderBox, Names::onOrderBox, QStringLiteral("On Order"), 0, 4},
        {&c.purchaseBox, Names::purchaseBox, QStringLiteral("Purchase"), 0, 5},
        {&c.pecBox, Names::pecBox, QStringLiteral("PEC"), 1, 0},
        {&c.productionBox, Names::productionBox, QStringLiteral("Produksi"), 1, 1},
        {&c.wipBox, Names::wipBox, QStringLiteral("WIP"), 1, 2},
        {&c.onSoBox, Names::onSoBox, QStringLiteral("On SO"), 1, 3},
        {&c.irBox, Names::irBox, QStringLiteral("IR"), 1, 4},
        {&c.hppBox, Names::hppBox, QStringLiteral("HPP"), 1, 5},
    };
    for (const Switch& s : switches) {
        QCheckBox* box = named<QCheckBox>(c.warehousePanel, s.name);
        box->setText(s.caption);
        scaler.place(box, QRect(s.side == 0 ? 16 : 124, 24 + 22 * s.row, 100, 17));
        *s.box = box;
    }
    for (QCheckBox* box : {c.ltcBox, c.mezanineBox, c.rackBox, c.bookingBox, c.onOrderBox})
        box->setChecked(true);
    for (QCheckBox* box : {c.purchaseBox, c.hppBox}) {
        box->hide();
        box->setEnabled(false);
    }

    c.sourceLabel = named<QLabel>(c.warehousePanel, Names::sourceLabel);
    c.sourceLabel->setText(kLabelSource);
    scaler.place(c.sourceLabel, QRect(16, 164, 200, 17));
    c.krtOnlyButton = named<QRadioButton>(c.warehousePanel, Names::krtOnlyButton);
    c.krtOnlyButton->setText(kSourceCaptionKrt);
    c.allCompaniesButton = named<QRadioButton>(c.warehousePanel, Names::allCompaniesButton);
    c.allCompaniesButton->setText(kSourceCaptionAll);
    c.oldStockButton = named<QRadioButton>(c.warehousePanel, Names::oldStockButton);
    c.oldStockButton->setText(kSourceCaptionOld);
    int top = 184;
    for (QRadioButton* rb : {c.krtOnlyButton, c.allCompaniesButton, c.oldStockButton}) {
        scaler.place(rb, QRect(16, top, 200, 17));
        top += 21;
    }
    c.allCompaniesButton->setChecked(true);
    c.oldStockButton->hide();
    c.oldStockButton->setEnabled(false);

    c.warehouseOkButton = named<QPushButton>(c.warehousePanel, Names::warehouseOkButton);
    c.warehouseOkButton->setText(kOk);
    scaler.place(c.warehouseOkButton, QRect(80, 251, 75, 25));
}

void createSettingPanel(StockControls& c, QWidget* panel, WindowScaler& scaler)
{
    c.settingPanel = named<QGroupBox>(panel, Names::settingPanel);
    c.settingPanel->setTitle(kPanelSetting);
    c.settingPanel->hide();
    c.settingPanel->setAutoFillBackground(true); // floats over the grids
    scaler.place(c.settingPanel, kSettingPanelRect);

    auto* sortLabel = new QLabel(kLabelSort, c.settingPanel);
    scaler.place(sortLabel, QRect(16, 28, 145, 17));
    c.sortCombo = named<QComboBox>(c.settingPanel, Names::sortCombo);
    c.sortCombo->addItems({kSortEntryDescription, kSortEntryCode});
    c.sortCombo->setCurrentIndex(0);
    scaler.place(c.sortCombo, QRect(168, 24, 160, 21));

    auto* codeLabel = new QLabel(kLabelCode, c.settingPanel);
    scaler.place(codeLabel, QRect(16, 60, 150, 17));
    c.codeClassCombo = named<QComboBox>(c.settingPanel, Names::codeClassCombo);
    c.codeClassCombo->addItems({kCodeEntry3579, kCodeEntryAll, kCodeEntryOne});
    c.codeClassCombo->setCurrentIndex(0);
    scaler.place(c.codeClassCombo, QRect(168, 56, 160, 21));

    c.settingOkButton = named<QPushButton>(c.settingPanel, Names::settingOkButton);
    c.settingOkButton->setText(kOk);
    scaler.place(c.settingOkButton, QRect(134, 92, 75, 25));
}

} // namespace

StockControls createStockControls(QWidget* panel, WindowScaler& scaler,
                                  const std::array<FbQuery*, 3>& queries)
{
    StockControls c;
    createTopBar(c, panel, scaler);
    createCompanyPanels(c, panel, scaler, queries);
    // After the company panels, so that these float over the grids.
    createSourcePanel(c, panel, scaler);
    createSettingPanel(c, panel, scaler);
    return c;
}
