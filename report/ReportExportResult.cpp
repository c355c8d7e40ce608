#include "report/ReportExportResult.h"

#include <QDir>

ReportExportResult ReportExportResult::cancelled(const QString& fileName)
{
    return {Status::Cancelled, QStringLiteral("Ekspor ke file \"%1\" dibatalkan.")
                                   .arg(QDir::toNativeSeparators(fileName))};
}

ReportExportResult ReportExportResult::failed(const QString& fileName, const QString& reason)
{
    return {Status::Failed, QStringLiteral("Gagal menulis file \"%1\": %2")
                                .arg(QDir::toNativeSeparators(fileName), reason)};
}
