#pragma once

#include "report/ReportEngine.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <QString>

class Clock;
class FbQuery;
class Messages;
class ReportViewer;

// Prepares a report layout over queries and previews it; what goes wrong (a layout that
// does not load, a database error while reading) reaches the user as an error box and no
// preview opens.
class QueryReport
{
public:
    QueryReport(ReportViewer& viewer, Messages& messages, const QLocale& locale = QLocale(),
                const Clock* clock = nullptr);

    // dataSets: the layout's data-set names and the queries that feed them.
    void preview(const QString& layoutName, const QList<QPair<QString, FbQuery*>>& dataSets,
                 ReportEngine::MasterRowHandler onMasterRow = {}) const;

private:
    ReportViewer& m_viewer;
    Messages& m_messages;
    QLocale m_locale;
    const Clock* m_clock;
};
