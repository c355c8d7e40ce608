#include "stock/StockLayout.h"

namespace
{

constexpr int kFullHeight = 650;
constexpr int kFullGridHeight = 620;
constexpr int kHalfHeight = 290;
constexpr int kHalfGridHeight = 265;
constexpr int kHalfSecondTop = 360;
constexpr int kThirdHeight = 200;
constexpr int kThirdGridHeight = 170;
constexpr int kThirdSecondTop = 265;
constexpr int kThirdLastTop = 480;

const PanelPlacement kHidden{false, {}, {}, {}};

} // namespace

StockLayout singleLayout(bool empty)
{
    StockLayout layout;
    layout.panels[0] = {{}, {}, kFullHeight, kFullGridHeight};
    layout.panels[1] = kHidden;
    layout.panels[2] = kHidden;
    layout.warn = empty;
    return layout;
}

StockLayout threeCompanyLayout(bool krtEmpty, bool sokaEmpty, bool kwEmpty)
{
    StockLayout layout;
    if (krtEmpty && sokaEmpty && kwEmpty) {
        layout.warn = true;
        return layout;
    }
    const PanelPlacement halfA{{}, {}, kHalfHeight, kHalfGridHeight};
    const PanelPlacement halfBelow{true, kHalfSecondTop, kHalfHeight, kHalfGridHeight};
    if (kwEmpty) {
        layout.panels = {halfA, halfBelow, kHidden};
    } else if (sokaEmpty) {
        layout.panels = {halfA, kHidden, halfBelow};
    } else {
        layout.panels = {PanelPlacement{{}, {}, kThirdHeight, kThirdGridHeight},
                         PanelPlacement{true, kThirdSecondTop, kThirdHeight, kThirdGridHeight},
                         PanelPlacement{true, kThirdLastTop, kThirdHeight, kThirdGridHeight}};
    }
    return layout;
}
