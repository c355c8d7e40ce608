#include "cli/LookupColumns.h"

namespace
{
// Grid columns of the purchase price and the average cost.
constexpr int kPurchaseColumn = 11;
constexpr int kCostColumn = 12;
} // namespace

QVector<GridColumnSpec> lookupColumns(StockSource source, const QString& suffix, bool price)
{
    QVector<GridColumnSpec> columns = companyColumns(source, suffix);
    if (source == StockSource::OldStock) {
        if (price) {
            const QVector<GridColumnSpec> company =
                companyColumns(StockSource::KrtOnly, QString(kSuffixKrt));
            columns << company[kPurchaseColumn] << company[kCostColumn];
        }
        return columns;
    }
    if (!price)
        columns.remove(kPurchaseColumn, kCostColumn - kPurchaseColumn + 1);
    return columns;
}

QStringList lookupTitles(StockSource source, bool price)
{
    QStringList titles{kCompanyTitle};
    for (const GridColumnSpec& column : lookupColumns(source, QString(kSuffixKrt), price))
        titles << column.title;
    return titles;
}
