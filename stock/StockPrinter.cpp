#include "StockPrinter.h"

#include "Clock.h"
#include "DbError.h"
#include "Messages.h"
#include "QueryReportSource.h"
#include "ReportEngine.h"
#include "ReportLayoutReader.h"
#include "ReportViewer.h"
#include "StockView.h"
#include "WaitCursor.h"

#include <QLineEdit>

StockPrinter::StockPrinter(StockView& view, const QLineEdit& cekpo, ReportViewer& viewer,
                           Messages& messages, const QLocale& locale, const Clock* clock,
                           QObject* parent)
    : QObject(parent), m_view(view), m_cekpo(cekpo), m_viewer(viewer), m_messages(messages),
      m_locale(locale), m_clock(clock)
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
    std::optional<PreparedReport> report;
    QString error;
    try {
        WaitCursor wait;
        const std::optional<ReportLayout> layout =
            ReportLayoutReader::fromResource(templateName(stockTemplate), &error);
        if (layout) {
            // Layouts with company A alone never touch the other two results.
            QueryReportSource krt(m_view.krt()), soka(m_view.soka()), kw(m_view.kw());
            ReportEngine engine(*layout);
            engine.bind(QStringLiteral("krt"), &krt);
            engine.bind(QStringLiteral("soka"), &soka);
            engine.bind(QStringLiteral("kw"), &kw);
            engine.setLocale(m_locale);
            if (m_clock)
                engine.setPrintTime(m_clock->now());
            report = engine.prepare(&error);
        }
    } catch (const DbError& e) {
        error = e.message();
    }
    if (!report) {
        m_messages.error(error);
        return;
    }
    m_viewer.preview(*report);
}
