#pragma once

#include <QStringList>

// The fixed statements of the item-to-buy report, as lines to be joined with CR LF.

// Company A's items with a minimum above 0 whose stock (LTC, Mezanine, Rak) plus open
// purchase orders less open sales orders falls below it, in item tree order.
QStringList itemToBuyMasterStatement();

// One item of company B or C, named by the parameter ITEMNO; no row where the company lacks it.
QStringList itemToBuyDetailStatement();

// Which of `markers` item codes (bound in marker order) a company's ITEM table holds: the
// detail statement, which selects from ITEM by the code, has a row for exactly those.
QString itemCodesPresentStatement(int markers);
