#pragma once

#include "stock/StockControls.h"

#include <QLatin1String>

// A check box of "Pilih Gudang Aktif" that shows or hides one column in all three grids.
struct ColumnSwitch {
    QCheckBox* StockControls::*box;
    int column;
    int shownWidth;    // design width given when switched on; 0 keeps the column's own
    QLatin1String key; // its Config.ini key; empty when the state is not kept
};

// Every column switch, in the order their states are restored and saved.
inline constexpr ColumnSwitch kColumnSwitches[] = {
    {&StockControls::ltcBox, 3, 0, QLatin1String("LTC")},
    {&StockControls::mezanineBox, 4, 0, QLatin1String("MEZANINE")},
    {&StockControls::rackBox, 5, 0, QLatin1String("RAK")},
    {&StockControls::bookingBox, 6, 0, QLatin1String("BOOKING")},
    {&StockControls::onOrderBox, 7, 0, QLatin1String("ONORDER")},
    {&StockControls::pecBox, 8, 0, QLatin1String("PEC")},
    {&StockControls::productionBox, 9, 0, QLatin1String("PRODUKSI")},
    {&StockControls::wipBox, 10, 0, QLatin1String("WIP")},
    {&StockControls::purchaseBox, 11, 0, QLatin1String()},
    {&StockControls::hppBox, 12, 0, QLatin1String()},
    {&StockControls::onSoBox, 13, 45, QLatin1String("ONSO")},
    {&StockControls::irBox, 14, 45, QLatin1String("IR")},
};
