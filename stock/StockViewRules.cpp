#include "stock/StockViewRules.h"

bool searchAccepted(SearchField field, StockSource source, const QString& text)
{
    const StockSource anyTextSource =
        field == SearchField::Type ? StockSource::OldStock : StockSource::KrtOnly;
    // Counted in characters, so a character outside the BMP counts once.
    return source == anyTextSource || text.toUcs4().size() >= kMinSearchLength;
}

QStringList companyFilterKinds()
{
    return {kFilterDescription, kFilterCode};
}

QStringList oldStockFilterKinds()
{
    return {kFilterDescription, kFilterCode, kFilterType};
}

SearchField searchFieldFor(const QString& filterKind)
{
    if (filterKind == kFilterDescription)
        return SearchField::Description;
    if (filterKind == kFilterType)
        return SearchField::Type;
    return SearchField::Code;
}

QString sortForFilterKind(const QString& filterKind)
{
    switch (searchFieldFor(filterKind)) {
    case SearchField::Description:
        return kSortByDescription;
    case SearchField::Type:
        return kSortByType;
    case SearchField::Code:
        break;
    }
    return kSortByCode;
}

QString sortForSortEntry(int entry)
{
    return entry == 0 ? QString(kSortByDescription) : QString(kSortByCode);
}

QString sortForSortText(const QString& text)
{
    return text == kSortEntryDescription ? QString(kSortByDescription) : QString(kSortByCode);
}

QString codeClassForEntry(int entry)
{
    switch (entry) {
    case 0:
        return kCodeClass3579;
    case 1:
        return kCodeClassAll;
    default:
        return kCodeClassOne;
    }
}
