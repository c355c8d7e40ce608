#pragma once

#include "data/FbQuery.h"
#include "report/QueryReport.h"

#include <QLocale>
#include <QObject>

class Clock;
class ConnectionSet;
class Messages;
class ReportViewer;

// "Item to Buy": company A's items below their minimum, with what companies B and C hold of
// each, read afresh from the three company databases on every run. The reading runs in
// worker threads on connections of its own while the window that owns the report (its
// parent) shows a progress dialog with a cancel button.
class ItemToBuyReport : public QObject
{
    Q_OBJECT
public:
    ItemToBuyReport(ConnectionSet& connections, ReportViewer& viewer, Messages& messages,
                    const QLocale& locale = QLocale(), const Clock* clock = nullptr,
                    QObject* parent = nullptr);

    // The master on company A and its two details on companies B and C (parameter ITEMNO).
    FbQuery& krtItems() { return m_krtItems; }
    FbQuery& sokaItems() { return m_sokaItems; }
    FbQuery& kwItems() { return m_kwItems; }

public slots:
    // Reads the report's data, then drops the three company connections, which empties
    // every other result on them, and prepares and previews the report. A database error is
    // shown and ends the command; so does a cancel, silently. Either leaves everything as
    // it was.
    void run();

private:
    ConnectionSet& m_connections;
    Messages& m_messages;
    FbQuery m_krtItems;
    FbQuery m_sokaItems;
    FbQuery m_kwItems;
    QueryReport m_report;
};
