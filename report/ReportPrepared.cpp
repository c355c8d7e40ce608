#include "report/ReportPrepared.h"

qsizetype PreparedReport::itemCount() const
{
    qsizetype count = 0;
    for (const PreparedPage& p : pages)
        count += p.items.size();
    return count;
}

QString PreparedReport::itemText(const PreparedItem& item) const
{
    if (item.kind != PreparedItem::Kind::Number)
        return item.text;
    return formats.value(item.format).number(item.number, locale);
}

ReportTextPosition PreparedReport::find(const QString& text, ReportTextPosition after) const
{
    if (text.isEmpty() || pages.isEmpty())
        return {};
    const int startPage = after.isValid() ? qBound(0, after.page, pageCount() - 1) : 0;
    int item = after.isValid() ? after.item + 1 : 0;
    for (int step = 0; step <= pageCount(); ++step) {
        const int p = (startPage + step) % pageCount();
        const QList<PreparedItem>& items = pages.at(p).items;
        for (; item < items.size(); ++item)
            if (itemText(items.at(item)).contains(text, Qt::CaseInsensitive))
                return {p, item};
        item = 0;
    }
    return {};
}
