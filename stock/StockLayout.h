#pragma once

#include <array>
#include <optional>

// Where a check puts one company's group box and its grid, in design units of the main
// window. An unset member keeps what the box or grid has.
struct PanelPlacement {
    std::optional<bool> visible;
    std::optional<int> top;
    std::optional<int> height;
    std::optional<int> gridHeight;

    bool operator==(const PanelPlacement&) const = default;
};

// The arrangement after a check: the panels of companies A, B and C, and whether to warn
// that nothing was found.
struct StockLayout {
    std::array<PanelPlacement, 3> panels;
    bool warn = false;
};

// Company A alone or old stock: A's box fills the window.
StockLayout singleLayout(bool empty);
// The three companies, arranged by which results are empty. Company A's box never moves
// and is never hidden; when all three are empty nothing moves and the user is warned.
StockLayout threeCompanyLayout(bool krtEmpty, bool sokaEmpty, bool kwEmpty);
