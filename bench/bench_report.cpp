// Preparing and exporting the printstock layout for many synthetic rows: seconds and peak
// memory per step, beside a bare libxlsxwriter loop that writes the same cells.
//
//   bench_report            runs every case, each in a process of its own, and prints a table
//   bench_report ROWS CASE  one case: prepare, pdf, xlsx or bare

#include "report/PdfExporter.h"
#include "report/ReportDataSource.h"
#include "report/ReportEngine.h"
#include "report/ReportLayoutReader.h"
#include "report/XlsxExporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>
#include <xlsxwriter.h>

namespace
{

// Stock rows computed from their number, so the data itself takes no memory.
class SyntheticStock : public ReportDataSource
{
public:
    SyntheticStock(QString suffix, qint64 rows) : m_suffix(std::move(suffix)), m_rows(rows) {}
    void first() override { m_row = 0; }
    bool eof() const override { return m_row >= m_rows; }
    void next() override { ++m_row; }
    bool hasField(const QString&) const override { return true; }
    QVariant value(const QString& field) const override
    {
        const QString f = field.toUpper();
        if (f == QLatin1String("ITEMNO"))
            return QStringLiteral("%1-%2").arg(m_suffix).arg(m_row, 6, 10, QLatin1Char('0'));
        if (f == QLatin1String("ITEMDESCRIPTION"))
            return QStringLiteral("Kabel NYM 3x%1 mm² roll %2").arg(m_row % 7).arg(m_row % 100);
        if (f == QLatin1String("UNITPRICE"))
            return 1000.0 + (m_row % 997) * 12.25;
        return double(m_row % (f.size() + 5));
    }

private:
    QString m_suffix;
    qint64 m_rows;
    qint64 m_row = 0;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

int runCase(qint64 rows, const QString& what, const QString& folder)
{
    QElapsedTimer timer;
    if (what == QLatin1String("bare")) {
        // The same cells as the workbook export, written directly.
        timer.start();
        const double cpuStart = cpuSeconds();
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        const QByteArray name = QDir(folder).filePath("bare.xlsx").toUtf8();
        lxw_workbook* book = workbook_new_opt(name.constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        lxw_format* text = workbook_add_format(book);
        format_set_border(text, LXW_BORDER_THIN);
        lxw_format* money = workbook_add_format(book);
        format_set_border(money, LXW_BORDER_THIN);
        format_set_num_format(money, "#,##0.00");
        SyntheticStock source(QStringLiteral("KRT"), rows);
        const char* fields[] = {"LTC_KRT", "MEZANINE_KRT", "RAK_KRT", "BOOKING_KRT", "ONPO_KRT"};
        lxw_row_t r = 0;
        for (source.first(); !source.eof(); source.next(), ++r) {
            worksheet_write_string(sheet, r, 0, source.value("ITEMNO").toString().toUtf8(), text);
            worksheet_write_string(sheet, r, 1, source.value("ITEMDESCRIPTION").toString().toUtf8(),
                                   text);
            worksheet_write_number(sheet, r, 2, source.value("UNITPRICE").toDouble(), money);
            for (int c = 0; c < 5; ++c)
                worksheet_write_number(sheet, r, lxw_col_t(3 + c),
                                       source.value(fields[c]).toDouble(), text);
            worksheet_write_string(sheet, r, 8, "KRT", text);
        }
        if (workbook_close(book) != LXW_NO_ERROR)
            return 1;
        std::printf("%lld bare 0 0 %.2f %.2f %.1f\n", rows, timer.elapsed() / 1000.0,
                    cpuSeconds() - cpuStart, peakMegabytes());
        return 0;
    }

    QString error;
    const std::optional<ReportLayout> layout =
        ReportLayoutReader::fromResource("printstock", &error);
    if (!layout) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // The rows split over the three companies, as a three-company search gives them.
    SyntheticStock krt(QStringLiteral("KRT"), rows - 2 * (rows / 3));
    SyntheticStock soka(QStringLiteral("SM"), rows / 3);
    SyntheticStock kw(QStringLiteral("KW"), rows / 3);
    ReportEngine engine(*layout);
    engine.bind("krt", &krt);
    engine.bind("soka", &soka);
    engine.bind("kw", &kw);
    engine.setLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
    timer.start();
    const std::optional<PreparedReport> report = engine.prepare(&error);
    const double prepareSeconds = timer.elapsed() / 1000.0;
    if (!report) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    double exportSeconds = 0;
    double exportCpu = 0;
    if (what != QLatin1String("prepare")) {
        timer.start();
        const double cpuStart = cpuSeconds();
        const QString file =
            QDir(folder).filePath(what == QLatin1String("pdf") ? "stock.pdf" : "stock.xlsx");
        const ReportExportResult result = what == QLatin1String("pdf")
                                              ? PdfExporter().exportToFile(*report, file)
                                              : XlsxExporter().exportToFile(*report, file);
        exportSeconds = timer.elapsed() / 1000.0;
        exportCpu = cpuSeconds() - cpuStart;
        if (!result.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(result.error));
            return 1;
        }
    }
    std::printf("%lld %s %d %.2f %.2f %.2f %.1f\n", rows, qPrintable(what), report->pageCount(),
                prepareSeconds, exportSeconds, exportCpu, peakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv); // fonts for the PDF
        QTemporaryDir folder;
        return runCase(QByteArray(argv[1]).toLongLong(), QString::fromLatin1(argv[2]),
                       folder.path());
    }
    QCoreApplication app(argc, argv);
    std::printf("%-7s %-8s %6s %10s %10s %10s %8s\n", "rows", "case", "pages", "prepare s",
                "export s", "cpu s", "peak MB");
    for (const qint64 rows : {10000, 50000}) {
        for (const char* what : {"prepare", "pdf", "xlsx", "bare"}) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QString::number(rows), QString::fromLatin1(what)});
            child.waitForFinished(-1);
            const QStringList f =
                QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(' ');
            if (child.exitCode() != 0 || f.size() < 7) {
                std::printf("%-7lld %-8s failed: %s\n", rows, what,
                            child.readAllStandardError().constData());
                continue;
            }
            const bool exported = f.at(1) != QLatin1String("prepare");
            const bool bare = f.at(1) == QLatin1String("bare");
            std::printf("%-7lld %-8s %6s %10s %10s %10s %8s\n", rows, what,
                        bare ? "-" : qPrintable(f.at(2)), bare ? "-" : qPrintable(f.at(3)),
                        exported ? qPrintable(f.at(4)) : "-", exported ? qPrintable(f.at(5)) : "-",
                        qPrintable(f.at(6)));
        }
    }
    return 0;
}
