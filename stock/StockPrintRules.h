#pragma once

#include "stock/StockStatements.h"

#include <QString>

// The four stock report layouts.
enum class StockTemplate { PrintStock, PrintKrtOnly, PrintHpp, PrintHppAllDb };

inline constexpr char kStockFilterWarning[] =
    "Filter Deskripsi / Kode harus di isi minimal 3 karakter";

// "printstock", "printkrtonly", "printhpp", "printhppalldb".
QString templateName(StockTemplate stockTemplate);

// By source and purchase-price right; old stock prints the three companies' results.
StockTemplate chooseTemplate(StockSource source, bool priceRight);

// Printing needs a description or a code filter of at least 3 characters (counted as typed,
// blanks included) that is not the field's placeholder text.
bool filterFilledIn(const QString& description, const QString& code);

// The Print button prints company A's HPP list at once, without the filter rule, when the
// KRT source is active, the user has the price right and the KRT result still has rows ahead.
bool printShortcut(bool krtOnly, bool priceRight, bool krtAtEnd);
