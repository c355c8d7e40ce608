#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QVector>

// Where a stock check looks: company A alone, the three companies, or the old-stock database.
enum class StockSource { KrtOnly, AllCompanies, OldStock };

// Column suffixes of the three companies' results; old stock borrows company A's.
inline constexpr QLatin1String kSuffixKrt{"KRT"};
inline constexpr QLatin1String kSuffixSm{"SM"};
inline constexpr QLatin1String kSuffixKw{"KW"};

// Code classes: SQL lists of the allowed first characters of an item code.
inline constexpr QLatin1String kCodeClass3579{"('3','5','7','9')"};
inline constexpr QLatin1String kCodeClassAll{"('3','5','7','9','1')"};
inline constexpr QLatin1String kCodeClassOne{"('1')"};

// Sort expressions.
inline constexpr QLatin1String kSortByDescription{"a.ITEMDESCRIPTION asc"};
inline constexpr QLatin1String kSortByCode{"a.ITEMNO asc"};
inline constexpr QLatin1String kSortByType{"a.NOTES asc"};

// What the stock queries hold before the first check: a select that finds nothing.
inline constexpr QLatin1String kStockStartSql{"select itemno from item where itemno='0'"};

// The texts a stock check reads from the window.
struct StockFilters {
    QString quote = QStringLiteral("'");
    QString cutoff; // MM/dd/yyyy
    QString description, code, type;
    QString codeClass = kCodeClass3579;
    QString sortBy = kSortByDescription;
};

// The statement of one stock check as lines: the first line, then the further lines, to be
// joined with CR LF. The suffix names company B or C in the three-company check; the KRT-only
// and old-stock statements always carry company A's suffix. Typed filter texts become
// literals with their quotes doubled.
QStringList stockStatement(StockSource source, const QString& suffix, const StockFilters& filters);

// Name of the average-cost column of the result: "HPP", or "HPP_" + suffix in the
// three-company check.
QString costColumn(StockSource source, const QString& suffix);

// One stock grid column as a check binds it. width 0 leaves the column's width as it is.
struct GridColumnSpec {
    QString field, title;
    int width = 0;
};

inline constexpr int kStockGridColumns = 15;

// The columns a check rebinds, from index 0: 13 for KRT-only, 15 for the three companies,
// 7 for old stock (which also sets the widths of columns 1, 2, 5 and 6). Columns past the
// end of the list keep their binding.
QVector<GridColumnSpec> companyColumns(StockSource source, const QString& suffix);

// The 15 columns as they stand before the first check.
QVector<GridColumnSpec> startColumns();
