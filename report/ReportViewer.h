#pragma once

class PreparedReport;

// Shows a prepared report to the user, who may print or export it from there.
class ReportViewer
{
public:
    virtual ~ReportViewer() = default;
    virtual void preview(const PreparedReport& report) = 0;
};
