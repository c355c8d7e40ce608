#pragma once

class QGroupBox;
class StockGrid;

// One company's group box and the grid inside it.
struct StockPanel {
    QGroupBox* box = nullptr;
    StockGrid* grid = nullptr;
};
