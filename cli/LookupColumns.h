#pragma once

#include "stock/StockStatements.h"

#include <QLatin1String>
#include <QStringList>
#include <QVector>

// Values of the first column, which names where a row comes from: the captions of the
// company panels, or of company A's panel over old stock.
inline constexpr QLatin1String kCompanyTitle{"DB"};
inline constexpr QLatin1String kCompanyKrt{"KRT"};
inline constexpr QLatin1String kCompanySoka{"SOKA"};
inline constexpr QLatin1String kCompanyKw{"KW"};
inline constexpr QLatin1String kCompanyOld{"OLD STOCK"};

// The grid columns a check binds for a source, as fields of the result and grid titles.
// The purchase price and average cost only with the price right; old stock has them too,
// since its result carries both.
QVector<GridColumnSpec> lookupColumns(StockSource source, const QString& suffix, bool price);

// The titles of the output: the company column, then the grid columns.
QStringList lookupTitles(StockSource source, bool price);
