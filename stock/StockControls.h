#pragma once

#include <array>

class FbQuery;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class QueryTableModel;
class StockGrid;
class WindowScaler;

// The controls of the stock view, created on the main panel in their start state, with
// the object names the program uses, placed in design units. The four switches that old
// stock renames get their captions from the view.
struct StockControls {
    // Top bar and the hidden fields that keep the query settings.
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* vidarera = nullptr;
    QLineEdit* cekkode = nullptr;
    QLineEdit* cektipe = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* btnPrint = nullptr;
    QLineEdit* petik = nullptr;
    QLineEdit* cektgl = nullptr;
    QLineEdit* sortby = nullptr;
    QLineEdit* tampilkode = nullptr;

    // Companies A, B and C: GroupBox2..4, DBGrid2..4, DataSource2..4.
    std::array<QGroupBox*, 3> boxes{};
    std::array<StockGrid*, 3> grids{};
    std::array<QueryTableModel*, 3> sources{};

    // "Pilih Gudang Aktif".
    QGroupBox* GroupBox5 = nullptr;
    QCheckBox* cbltc = nullptr;
    QCheckBox* cbmezanine = nullptr;
    QCheckBox* cbrak = nullptr;
    QCheckBox* cbbooking = nullptr;
    QCheckBox* cbonorder = nullptr;
    QCheckBox* cbhbeli = nullptr;
    QCheckBox* cbpec = nullptr;
    QCheckBox* cbproduksi = nullptr;
    QCheckBox* cbwip = nullptr;
    QCheckBox* cbONSO = nullptr;
    QCheckBox* cbIR = nullptr;
    QCheckBox* cbhpp = nullptr;
    QLabel* Label8 = nullptr;
    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QRadioButton* rb3 = nullptr;
    QPushButton* Button1 = nullptr;

    // "Setting".
    QGroupBox* GroupBox6 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPushButton* Button2 = nullptr;
};

// Creates the controls as children of `panel`; the grids show `queries` (A, B, C).
StockControls createStockControls(QWidget* panel, WindowScaler& scaler,
                                  const std::array<FbQuery*, 3>& queries);
