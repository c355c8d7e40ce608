#include "report/PdfExporter.h"

#include "report/ReportPainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

ReportExportResult PdfExporter::exportToFile(const PreparedReport& report, const QString& fileName,
                                             const ReportProgress& progress) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return ReportExportResult::failed(fileName, file.errorString());
    ReportExportResult result = write(report, &file, fileName, progress);
    if (!result.ok()) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return ReportExportResult::failed(fileName, file.errorString());
    return result;
}

ReportExportResult PdfExporter::write(const PreparedReport& report, QIODevice* device,
                                      const QString& name, const ReportProgress& progress) const
{
    QPdfWriter writer(device);
    writer.setResolution(m_resolution);
    writer.setTitle(report.name);
    const QPageSize size(QSizeF(report.page.width, report.page.height), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));

    QPainter painter;
    if (!painter.begin(&writer))
        return ReportExportResult::failed(name, device->errorString());
    ReportPainter pages(report, painter, writer.resolution() / 25.4);
    const int total = report.pageCount();
    for (int page = 0; page < total; ++page) {
        if (page > 0)
            writer.newPage();
        pages.paintPage(page);
        if (progress && !progress(page + 1, total)) {
            painter.end();
            return ReportExportResult::cancelled(name);
        }
    }
    painter.end();
    const auto* file = qobject_cast<QFileDevice*>(device);
    if (file && file->error() != QFileDevice::NoError)
        return ReportExportResult::failed(name, file->errorString());
    return {};
}
