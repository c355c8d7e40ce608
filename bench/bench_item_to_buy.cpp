// "Item to Buy" from the menu command to the prepared report, beside isql-fb running the
// master statement alone and fetching all its rows.
//
//   bench_item_to_buy [HOST [PORT [RUNS]]]     default 127.0.0.5 3051 3
//
// Needs a server with the large demo databases (bench/README.md, "Item to buy").

#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/FbQuery.h"
#include "data/FbStatistics.h"
#include "platform/Messages.h"
#include "report/ReportPrepared.h"
#include "report/ReportViewer.h"
#include "stock/ItemToBuyReport.h"
#include "stock/ItemToBuyStatements.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>
#include <algorithm>
#include <cstdio>

namespace
{

class CountingMessages : public Messages
{
public:
    bool show(Kind kind, const QString& text, const QString&) override
    {
        if (kind == Kind::Error)
            std::fprintf(stderr, "error: %s\n", qPrintable(text));
        ++shown;
        return true;
    }
    int shown = 0;
};

// Stops the clock when the report is ready to preview.
class TimingViewer : public ReportViewer
{
public:
    void preview(const PreparedReport& report) override
    {
        seconds = timer.nsecsElapsed() / 1e9;
        pages = report.pageCount();
    }
    QElapsedTimer timer;
    double seconds = 0;
    int pages = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// isql-fb attaching to company A and fetching every row of the master statement; seconds.
double isqlSeconds(const FbConnection& krt, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("master.sql"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QTextStream out(&file);
    out << "CONNECT '" << krt.connectString() << "' USER 'sysdba' PASSWORD '"
        << krt.params().password << "';\n";
    out << itemToBuyMasterStatement().join(QStringLiteral("\r\n")) << ";\n";
    out.flush();
    file.close();
    QProcess isql;
    QElapsedTimer timer;
    timer.start();
    isql.start(QStringLiteral("isql-fb"),
               {QStringLiteral("-q"), QStringLiteral("-ch"), krt.params().charset,
                QStringLiteral("-i"), path, QStringLiteral("-o"), QStringLiteral("/dev/null")});
    if (!isql.waitForFinished(600000) || isql.exitCode() != 0)
        qFatal("isql-fb failed: %s", isql.readAllStandardError().constData());
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString host = args.value(1, QStringLiteral("127.0.0.5"));
    const int port = args.value(2, QStringLiteral("3051")).toInt();
    const int runs = std::max(1, args.value(3, QStringLiteral("3")).toInt());

    ConnectionSet connections;
    connections.setControlServer(host, port);
    FbQuery appRecord(&connections.control);
    appRecord.setSql(ControlRecords::applicationRecordSql());
    appRecord.open();
    const ControlRecords::ApplicationRecord record =
        ControlRecords::readApplicationRecord(appRecord);
    connections.serverAddress = host;
    connections.serverPort = port;
    connections.configureCompanies(record.suffixKrt, record.suffixSoka, record.suffixKw);

    QWidget window;
    window.resize(943, 698);
    window.show();
    CountingMessages messages;
    TimingViewer viewer;
    auto* report = new ItemToBuyReport(connections, viewer, messages, QLocale(), nullptr, &window);
    QTemporaryDir dir;

    std::printf("%-8s %-6s %-9s %-16s %9s %9s %6s\n", "rows", "pages", "prepares", "executions",
                "report s", "isql s", "ratio");
    std::vector<double> reportTimes, isqlTimes;
    qint64 prepares = 0, executions = 0;
    int rows = 0;
    for (int run = 0; run <= runs; ++run) { // run 0 warms the server's cache
        const qint64 preparesBefore = connections.statistics().prepares;
        const qint64 executionsBefore = connections.statistics().executions;
        viewer.seconds = 0;
        viewer.timer.start();
        report->run();
        if (viewer.seconds == 0)
            qFatal("no report");
        const double isql = isqlSeconds(connections.krt, dir);
        prepares = connections.statistics().prepares - preparesBefore;
        executions = connections.statistics().executions - executionsBefore;
        rows = report->krtItems().fetchedRows();
        if (run > 0) {
            reportTimes.push_back(viewer.seconds);
            isqlTimes.push_back(isql);
        }
    }
    const double r = median(reportTimes);
    const double i = median(isqlTimes);
    std::printf("%-8d %-6d %-9lld %-16lld %9.3f %9.3f %6.2f\n", rows, viewer.pages,
                static_cast<long long>(prepares), static_cast<long long>(executions), r, i, r / i);
    return messages.shown == 0 ? 0 : 1;
}
