#include "stock/StockCutoff.h"

QDate stockReferenceDate(QDate today)
{
    if (!today.isValid())
        return {};
    const QDate last(today.year(), today.month(), today.daysInMonth());
    return today == last ? last : last.addDays(-1);
}
