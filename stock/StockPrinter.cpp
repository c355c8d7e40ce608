#include "stock/StockPrinter.h"

#include "data/UserRights.h"
#include "platform/Messages.h"
#include "stock/StockView.h"

StockPrinter::StockPrinter(StockView& view, const UserRights& rights, ReportViewer& viewer,
                           Messages& messages, const QLocale& locale, const Clock* clock,
                           QObject* parent)
    : QObject(parent), m_view(view), m_rights(rights), m_messages(messages),
      m_report(viewer, messages, locale, clock)
{
}

void StockPrinter::printFromButton()
{
    const bool krtOnly = m_view.activeSource() == StockSource::KrtOnly;
    if (printShortcut(krtOnly, m_rights.price, m_view.krt().eof())) {
        print(StockTemplate::PrintHpp);
        return;
    }
    printStock();
}

void StockPrinter::printStock()
{
    if (!filterFilledIn(m_view.searchText(SearchField::Description),
                        m_view.searchText(SearchField::Code))) {
        m_messages.warning(QString::fromLatin1(kStockFilterWarning));
        return;
    }
    print(chooseTemplate(m_view.activeSource(), m_rights.price));
}

void StockPrinter::print(StockTemplate stockTemplate)
{
    // Layouts with company A alone never touch the other two results.
    m_report.preview(templateName(stockTemplate), {{QStringLiteral("krt"), &m_view.krt()},
                                                   {QStringLiteral("soka"), &m_view.soka()},
                                                   {QStringLiteral("kw"), &m_view.kw()}});
}
