#include "stock/StockControls.h"

#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/WindowScaler.h"
#include "stock/StockGrid.h"
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
const QRect kEdit1Rect(24, 23, 289, 21);
const QRect kComboBox1Rect(319, 22, 130, 21);
const QRect kSearchRect(460, 22, 183, 21);
const QRect kPrintRect(650, 20, 75, 25);
constexpr int kBoxLeft = 17;
constexpr int kBoxWidth = 920;
constexpr int kBoxHeight = 200;
constexpr std::array<int, 3> kBoxTops{53, 265, 480};
const QRect kGridRect(9, 17, 900, 170);
constexpr int kFirstPriceColumn = 11; // 11 to 14 start hidden
const QRect kGroupBox5Rect(376, 162, 234, 287);
const QRect kGroupBox6Rect(305, 178, 344, 129);

template <class W> W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

void createTopBar(StockControls& c, QWidget* panel, WindowScaler& scaler)
{
    c.Edit1 = named<QLineEdit>(panel, "Edit1");
    c.Edit1->setText(kNoteStart);
    c.Edit1->setReadOnly(true);
    QFont bold = c.Edit1->font();
    bold.setBold(true);
    c.Edit1->setFont(bold);
    QPalette yellow = c.Edit1->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    c.Edit1->setPalette(yellow);
    c.Edit1->hide();
    scaler.place(c.Edit1, kEdit1Rect);

    c.ComboBox1 = named<QComboBox>(panel, "ComboBox1");
    c.ComboBox1->addItems(oldStockFilterKinds());
    c.ComboBox1->setCurrentIndex(0);
    scaler.place(c.ComboBox1, kComboBox1Rect);

    c.vidarera = named<QLineEdit>(panel, "vidarera");
    c.vidarera->setPlaceholderText(kHintDescription);
    c.cekkode = named<QLineEdit>(panel, "cekkode");
    c.cekkode->setPlaceholderText(kHintCode);
    c.cektipe = named<QLineEdit>(panel, "cektipe");
    c.cektipe->setPlaceholderText(kHintCode);
    for (QLineEdit* e : {c.vidarera, c.cekkode, c.cektipe})
        scaler.place(e, kSearchRect);
    c.cekkode->hide();
    c.cektipe->hide();

    c.btnPrint = named<QPushButton>(panel, "btnPrint");
    c.btnPrint->setText(kPrint);
    c.btnPrint->hide();
    scaler.place(c.btnPrint, kPrintRect);

    c.petik = named<QLineEdit>(panel, "petik");
    c.petik->setText(kQuote);
    c.cektgl = named<QLineEdit>(panel, "cektgl");
    c.sortby = named<QLineEdit>(panel, "sortby");
    c.sortby->setText(kSortByDescription);
    c.tampilkode = named<QLineEdit>(panel, "tampilkode");
    c.tampilkode->setText(kCodeClass3579);
    for (QLineEdit* e : {c.petik, c.cektgl, c.sortby, c.tampilkode})
        e->hide();
}

void createCompanyPanels(StockControls& c, QWidget* panel, WindowScaler& scaler,
                         const std::array<FbQuery*, 3>& queries)
{
    static constexpr const char* kBoxNames[3] = {"GroupBox2", "GroupBox3", "GroupBox4"};
    static constexpr const char* kGridNames[3] = {"DBGrid2", "DBGrid3", "DBGrid4"};
    static constexpr const char* kSourceNames[3] = {"DataSource2", "DataSource3", "DataSource4"};
    const QString captions[3] = {kSourceCaptionKrt, QStringLiteral("SOKA"), QStringLiteral("KW")};
    QVector<QueryTableModel::Column> start;
    for (const GridColumnSpec& column : startColumns())
        start.append({column.field, column.title});

    for (int i = 0; i < 3; ++i) {
        QGroupBox* box = named<QGroupBox>(panel, kBoxNames[i]);
        box->setTitle(captions[i]);
        box->hide();
        scaler.place(box, QRect(kBoxLeft, kBoxTops[i], kBoxWidth, kBoxHeight));

        auto* grid = new StockGrid(scaler, box);
        grid->setObjectName(QLatin1String(kGridNames[i]));
        auto* source = new QueryTableModel(grid);
        source->setObjectName(QLatin1String(kSourceNames[i]));
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
    c.GroupBox5 = named<QGroupBox>(panel, "GroupBox5");
    c.GroupBox5->setTitle(kPanelSource);
    c.GroupBox5->hide();
    c.GroupBox5->setAutoFillBackground(true); // floats over the grids
    scaler.place(c.GroupBox5, kGroupBox5Rect);

    struct Switch {
        QCheckBox** box;
        const char* name;
        QString caption; // empty: set by the view with the source
        int side;        // 0 left, 1 right
        int row;
    };
    const Switch switches[] = {
        {&c.cbltc, "cbltc", {}, 0, 0},
        {&c.cbmezanine, "cbmezanine", {}, 0, 1},
        {&c.cbrak, "cbrak", {}, 0, 2},
        {&c.cbbooking, "cbbooking", {}, 0, 3},
        {&c.cbonorder, "cbonorder", QStringLiteral("On Order"), 0, 4},
        {&c.cbhbeli, "cbhbeli", QStringLiteral("Purchase"), 0, 5},
        {&c.cbpec, "cbpec", QStringLiteral("PEC"), 1, 0},
        {&c.cbproduksi, "cbproduksi", QStringLiteral("Produksi"), 1, 1},
        {&c.cbwip, "cbwip", QStringLiteral("WIP"), 1, 2},
        {&c.cbONSO, "cbONSO", QStringLiteral("On SO"), 1, 3},
        {&c.cbIR, "cbIR", QStringLiteral("IR"), 1, 4},
        {&c.cbhpp, "cbhpp", QStringLiteral("HPP"), 1, 5},
    };
    for (const Switch& s : switches) {
        QCheckBox* box = named<QCheckBox>(c.GroupBox5, s.name);
        box->setText(s.caption);
        scaler.place(box, QRect(s.side == 0 ? 16 : 124, 24 + 22 * s.row, 100, 17));
        *s.box = box;
    }
    for (QCheckBox* box : {c.cbltc, c.cbmezanine, c.cbrak, c.cbbooking, c.cbonorder})
        box->setChecked(true);
    for (QCheckBox* box : {c.cbhbeli, c.cbhpp}) {
        box->hide();
        box->setEnabled(false);
    }

    c.Label8 = named<QLabel>(c.GroupBox5, "Label8");
    c.Label8->setText(kLabelSource);
    scaler.place(c.Label8, QRect(16, 164, 200, 17));
    c.rb1 = named<QRadioButton>(c.GroupBox5, "rb1");
    c.rb1->setText(kSourceCaptionKrt);
    c.rb2 = named<QRadioButton>(c.GroupBox5, "rb2");
    c.rb2->setText(kSourceCaptionAll);
    c.rb3 = named<QRadioButton>(c.GroupBox5, "rb3");
    c.rb3->setText(kSourceCaptionOld);
    int top = 184;
    for (QRadioButton* rb : {c.rb1, c.rb2, c.rb3}) {
        scaler.place(rb, QRect(16, top, 200, 17));
        top += 21;
    }
    c.rb2->setChecked(true);
    c.rb3->hide();
    c.rb3->setEnabled(false);

    c.Button1 = named<QPushButton>(c.GroupBox5, "Button1");
    c.Button1->setText(kOk);
    scaler.place(c.Button1, QRect(80, 251, 75, 25));
}

void createSettingPanel(StockControls& c, QWidget* panel, WindowScaler& scaler)
{
    c.GroupBox6 = named<QGroupBox>(panel, "GroupBox6");
    c.GroupBox6->setTitle(kPanelSetting);
    c.GroupBox6->hide();
    c.GroupBox6->setAutoFillBackground(true); // floats over the grids
    scaler.place(c.GroupBox6, kGroupBox6Rect);

    auto* sortLabel = new QLabel(kLabelSort, c.GroupBox6);
    scaler.place(sortLabel, QRect(16, 28, 145, 17));
    c.ComboBox2 = named<QComboBox>(c.GroupBox6, "ComboBox2");
    c.ComboBox2->addItems({kSortEntryDescription, kSortEntryCode});
    c.ComboBox2->setCurrentIndex(0);
    scaler.place(c.ComboBox2, QRect(168, 24, 160, 21));

    auto* codeLabel = new QLabel(kLabelCode, c.GroupBox6);
    scaler.place(codeLabel, QRect(16, 60, 150, 17));
    c.ComboBox3 = named<QComboBox>(c.GroupBox6, "ComboBox3");
    c.ComboBox3->addItems({kCodeEntry3579, kCodeEntryAll, kCodeEntryOne});
    c.ComboBox3->setCurrentIndex(0);
    scaler.place(c.ComboBox3, QRect(168, 56, 160, 21));

    c.Button2 = named<QPushButton>(c.GroupBox6, "Button2");
    c.Button2->setText(kOk);
    scaler.place(c.Button2, QRect(134, 92, 75, 25));
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
