#pragma once

#include "stock/StockStatements.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>

// The three search fields of the top bar; one of them is shown at a time.
enum class SearchField { Description, Code, Type };

// Filter kinds, the entries of the filter kind list.
inline constexpr QLatin1String kFilterDescription{"Filter Deskripsi"};
inline constexpr QLatin1String kFilterCode{"Filter Kode"};
inline constexpr QLatin1String kFilterType{"Filter Tipe"};

// The filter kinds offered with the company sources and with old stock.
QStringList companyFilterKinds();
QStringList oldStockFilterKinds();

// Sort entries of "Setting".
inline constexpr QLatin1String kSortEntryDescription{"Deskripsi Item"};
inline constexpr QLatin1String kSortEntryCode{"Kode Item"};

// Code class entries of "Setting", in the order of codeClassForEntry.
inline constexpr QLatin1String kCodeEntry3579{"Hanya 3,5,7,9"};
inline constexpr QLatin1String kCodeEntryAll{"Semua Kode"};
inline constexpr QLatin1String kCodeEntryOne{"Hanya Kode 1"};

// Captions of the source buttons; Config.ini keeps them as the active source.
inline constexpr QLatin1String kSourceCaptionKrt{"KRT"};
inline constexpr QLatin1String kSourceCaptionAll{"KRT,BSM,TWSP"};
inline constexpr QLatin1String kSourceCaptionOld{"OLD STOCK"};

// Shorter texts could match nearly every item, so they run only where the source is small.
inline constexpr int kMinSearchLength = 3;

// Whether Enter in a search field runs a check: any text where the field's source is small
// (description and code with company A alone, type with old stock), else kMinSearchLength
// characters as typed, blanks included.
bool searchAccepted(SearchField field, StockSource source, const QString& text);

// The search field a filter kind shows; any unknown text shows the code field.
SearchField searchFieldFor(const QString& filterKind);
// The sort expression a chosen filter kind sets.
QString sortForFilterKind(const QString& filterKind);
// The sort expression of a sort entry, by its index or by its text.
QString sortForSortEntry(int entry);
QString sortForSortText(const QString& text);
// The code class list of a code class entry; unknown entries give code 1 only.
QString codeClassForEntry(int entry);
