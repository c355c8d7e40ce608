#include "stock/StockPrinter.h"

#include "platform/Messages.h"
#include "stock/StockView.h"

#include <QLineEdit>

StockPrinter::StockPrinter(StockView& view, const QLineEdit& cekpo, ReportViewer& viewer,
                           Messages& messages, const QLocale& locale, const Clock* clock,
                           QObject* parent)
    : QObject(parent), m_view(view), m_cekpo(cekpo), m_messages(messages),
      m_report(viewer, messages, locale, clock)
{
}

bool StockPrinter::priceRight() const
{
    return m_cekpo.text() == QLatin1String("1");
}

void StockPrinter::btnPrintClick()
{
    const bool krtOnly = m_view.activeSource() == StockSource::KrtOnly;
    if (printShortcut(krtOnly, priceRight(), m_view.krt().eof())) {
        print(StockTemplate::PrintHpp);
        return;
    }
    stockprint1Click();
}

void StockPrinter::stockprint1Click()
{
    const QLineEdit* description = m_view.control<QLineEdit>("vidarera");
    const QLineEdit* code = m_view.control<QLineEdit>("cekkode");
    if (!filterFilledIn(description->text(), code->text())) {
        m_messages.warning(QString::fromLatin1(kStockFilterWarning));
        return;
    }
    print(chooseTemplate(m_view.activeSource(), priceRight()));
}

void StockPrinter::print(StockTemplate stockTemplate)
{
    // Layouts with company A alone never touch the other two results.
    m_report.preview(templateName(stockTemplate), {{QStringLiteral("krt"), &m_view.krt()},
                                                   {QStringLiteral("soka"), &m_view.soka()},
                                                   {QStringLiteral("kw"), &m_view.kw()}});
}
