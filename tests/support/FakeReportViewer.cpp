#include "tests/support/FakeReportViewer.h"

#include <algorithm>

namespace
{

QList<const PreparedItem*> ordered(const PreparedPage& page)
{
    QList<const PreparedItem*> items;
    for (const PreparedItem& item : page.items)
        items.append(&item);
    std::stable_sort(items.begin(), items.end(), [](const PreparedItem* a, const PreparedItem* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    return items;
}

} // namespace

QStringList FakeReportViewer::texts(int page) const
{
    QStringList out;
    const PreparedReport& report = last();
    for (int p = 0; p < report.pageCount(); ++p) {
        if (page >= 0 && p != page)
            continue;
        for (const PreparedItem* item : ordered(report.pages.at(p)))
            out.append(report.itemText(*item));
    }
    return out;
}

QStringList FakeReportViewer::lineOf(const QString& text) const
{
    const PreparedReport& report = last();
    for (const PreparedPage& page : report.pages) {
        const QList<const PreparedItem*> items = ordered(page);
        for (const PreparedItem* found : items) {
            if (report.itemText(*found) != text)
                continue;
            QStringList line;
            for (const PreparedItem* item : items)
                if (item->top == found->top)
                    line.append(report.itemText(*item));
            return line;
        }
    }
    return {};
}
