#include "report/QueryReport.h"

#include "data/DbError.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/WaitCursor.h"
#include "report/QueryReportSource.h"
#include "report/ReportLayoutReader.h"
#include "report/ReportViewer.h"

#include <memory>
#include <vector>

QueryReport::QueryReport(ReportViewer& viewer, Messages& messages, const QLocale& locale,
                         const Clock* clock)
    : m_viewer(viewer), m_messages(messages), m_locale(locale), m_clock(clock)
{
}

void QueryReport::preview(const QString& layoutName,
                          const QList<QPair<QString, FbQuery*>>& dataSets,
                          ReportEngine::MasterRowHandler onMasterRow) const
{
    std::optional<PreparedReport> report;
    QString error;
    try {
        WaitCursor wait;
        const std::optional<ReportLayout> layout =
            ReportLayoutReader::fromResource(layoutName, &error);
        if (layout) {
            std::vector<std::unique_ptr<QueryReportSource>> sources;
            ReportEngine engine(*layout);
            for (const auto& [name, query] : dataSets) {
                sources.push_back(std::make_unique<QueryReportSource>(*query));
                engine.bind(name, sources.back().get());
            }
            if (onMasterRow)
                engine.setMasterRowHandler(std::move(onMasterRow));
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
