#pragma once

#include <QString>

// What a logged-in user may see and do. A right is granted only by the text "1" in its
// slot of the user record (anything else withholds it), except the sales right, which any
// non-empty sales scope grants.
struct UserRights {
    bool print = false;      // stock print and export
    bool onlineList = false; // the online users panel
    bool admin = false;      // the user profile editor
    bool itemToBuy = false;  // the item-to-buy report
    bool price = false;      // purchase price and average cost columns
    bool oldStock = false;   // the old-stock source
    bool sales = false;      // the sales and receivables reports

    static bool granted(const QString& slot) { return slot == QLatin1String("1"); }
};
