#pragma once

#include "report/ReportExportResult.h"
#include "report/ReportPrepared.h"

// Writes prepared reports as an Excel workbook that keeps the whole layout: one worksheet
// whose columns and rows follow the cells' edges, with their fills, frames, fonts and
// alignment, cells spanning columns merged, numbers and dates stored as such with their
// display format, and a page break where each report page starts. The sheet is streamed
// row by row, so memory stays flat however long the report is.
class XlsxExporter
{
public:
    // Writes to a temporary file beside fileName and puts it in place only when complete,
    // replacing any file of that name; a failure or a cancel leaves no file behind.
    // Progress counts pages.
    ReportExportResult exportToFile(const PreparedReport& report, const QString& fileName,
                                    const ReportProgress& progress = {}) const;
};
