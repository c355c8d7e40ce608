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

// The controls of the stock view, created on the main panel in their start state, named
// from StockObjectNames, placed in design units. The four switches that old stock renames
// get their captions from the view.
struct StockControls {
    // Top bar and the hidden fields that keep the query settings.
    QComboBox* filterKindCombo = nullptr;
    QLineEdit* descriptionEdit = nullptr;
    QLineEdit* codeEdit = nullptr;
    QLineEdit* typeEdit = nullptr;
    QLineEdit* noteEdit = nullptr;
    QPushButton* printButton = nullptr;
    QLineEdit* quoteField = nullptr;
    QLineEdit* cutoffField = nullptr;
    QLineEdit* sortField = nullptr;
    QLineEdit* codeClassField = nullptr;

    // Companies A, B and C: their group boxes, grids and data sources.
    std::array<QGroupBox*, 3> boxes{};
    std::array<StockGrid*, 3> grids{};
    std::array<QueryTableModel*, 3> sources{};

    // "Pilih Gudang Aktif": the column switches and the source buttons.
    QGroupBox* warehousePanel = nullptr;
    QCheckBox* ltcBox = nullptr;
    QCheckBox* mezanineBox = nullptr;
    QCheckBox* rackBox = nullptr;
    QCheckBox* bookingBox = nullptr;
    QCheckBox* onOrderBox = nullptr;
    QCheckBox* purchaseBox = nullptr;
    QCheckBox* pecBox = nullptr;
    QCheckBox* productionBox = nullptr;
    QCheckBox* wipBox = nullptr;
    QCheckBox* onSoBox = nullptr;
    QCheckBox* irBox = nullptr;
    QCheckBox* hppBox = nullptr;
    QLabel* sourceLabel = nullptr;
    QRadioButton* krtOnlyButton = nullptr;
    QRadioButton* allCompaniesButton = nullptr;
    QRadioButton* oldStockButton = nullptr;
    QPushButton* warehouseOkButton = nullptr;

    // "Setting": sort order and code class.
    QGroupBox* settingPanel = nullptr;
    QComboBox* sortCombo = nullptr;
    QComboBox* codeClassCombo = nullptr;
    QPushButton* settingOkButton = nullptr;
};

// Creates the controls as children of `panel`; the grids show `queries` (A, B, C).
StockControls createStockControls(QWidget* panel, WindowScaler& scaler,
                                  const std::array<FbQuery*, 3>& queries);
