#pragma once

#include <QString>
#include <functional>

// Called as an export goes on with the rows or pages done and their total; returning false
// cancels the export.
using ReportProgress = std::function<bool(qint64 done, qint64 total)>;

// How an export ended. A failure's message names the file.
struct ReportExportResult {
    enum class Status { Ok, Cancelled, Failed };

    Status status = Status::Ok;
    QString error;

    bool ok() const { return status == Status::Ok; }
    static ReportExportResult cancelled(const QString& fileName);
    static ReportExportResult failed(const QString& fileName, const QString& reason);
};
