#pragma once

#include "report/ReportExportResult.h"
#include "report/ReportPrepared.h"

class QIODevice;

// Writes prepared reports as PDF, one PDF page per report page at its size in millimetres.
class PdfExporter
{
public:
    void setResolution(int dotsPerInch) { m_resolution = dotsPerInch; }

    // Writes to a temporary file beside fileName and puts it in place only when complete,
    // replacing any file of that name; a failure or a cancel leaves no file behind.
    ReportExportResult exportToFile(const PreparedReport& report, const QString& fileName,
                                    const ReportProgress& progress = {}) const;
    // Writes to an open device; `name` is what error messages call it.
    ReportExportResult write(const PreparedReport& report, QIODevice* device, const QString& name,
                             const ReportProgress& progress = {}) const;

private:
    int m_resolution = 1200;
};
