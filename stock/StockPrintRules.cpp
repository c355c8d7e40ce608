#include "stock/StockPrintRules.h"

#include "stock/StockViewRules.h"

namespace
{

constexpr int kMinimumFilterLength = 3;

bool filled(const QString& text, QLatin1String placeholder)
{
    return text != placeholder && text.size() >= kMinimumFilterLength;
}

} // namespace

QString templateName(StockTemplate stockTemplate)
{
    switch (stockTemplate) {
    case StockTemplate::PrintStock:
        return QStringLiteral("printstock");
    case StockTemplate::PrintKrtOnly:
        return QStringLiteral("printkrtonly");
    case StockTemplate::PrintHpp:
        return QStringLiteral("printhpp");
    case StockTemplate::PrintHppAllDb:
        return QStringLiteral("printhppalldb");
    }
    return {};
}

StockTemplate chooseTemplate(StockSource source, bool priceRight)
{
    switch (source) {
    case StockSource::KrtOnly:
        return priceRight ? StockTemplate::PrintHpp : StockTemplate::PrintKrtOnly;
    case StockSource::AllCompanies:
        return priceRight ? StockTemplate::PrintHppAllDb : StockTemplate::PrintStock;
    case StockSource::OldStock:
        break;
    }
    return StockTemplate::PrintStock;
}

bool filterFilledIn(const QString& description, const QString& code)
{
    return filled(description, kFilterDescription) ||
           filled(code, QLatin1String("Filter Kode Item"));
}

bool printShortcut(bool krtOnly, bool priceRight, bool krtAtEnd)
{
    return krtOnly && priceRight && !krtAtEnd;
}
