#pragma once

#include "report/ReportPrepared.h"
#include "report/ReportViewer.h"

#include <QList>
#include <QStringList>

// Keeps every report it is asked to preview, for tests to inspect.
class FakeReportViewer : public ReportViewer
{
public:
    void preview(const PreparedReport& report) override { reports.append(report); }

    int count() const { return int(reports.size()); }
    const PreparedReport& last() const { return reports.last(); }
    // The texts of one page (or all pages) of the last report, top to bottom, left to right.
    QStringList texts(int page = -1) const;
    // The texts of the items that share a line with the first item showing `text`.
    QStringList lineOf(const QString& text) const;

    QList<PreparedReport> reports;
};
