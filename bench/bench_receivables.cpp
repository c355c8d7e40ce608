// The receivables summary and detail reports, from the menu command to the prepared report,
// beside isql-fb running the same three statements and fetching every row they return.
//
//   bench_receivables [HOST [PORT [RUNS]]]     default 127.0.0.5 3051 3
//
// Runs as a user who sees every salesman; prints the medians of RUNS runs after one warm-up
// run. Needs a server with demo databases, the small ones of the tests or a large generated
// set (bench/README.md, "Receivables reports").

#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/FbQuery.h"
#include "data/LoginState.h"
#include "platform/AppContext.h"
#include "platform/Messages.h"
#include "report/ReportPrepared.h"
#include "report/ReportViewer.h"
#include "sales/ReceivablesReports.h"
#include "sales/ReceivablesStatements.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

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

// Stops the clock when the report is ready to show.
class StopwatchViewer : public ReportViewer
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

// isql-fb attaching afresh to each company, as the reports do, and fetching every row of
// the same statements into /dev/null; seconds.
double isqlSeconds(const ConnectionSet& set, const QStringList& statements,
                   const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("receivables.sql"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QTextStream out(&file);
    const FbConnection* connections[3] = {&set.krt, &set.soka, &set.kw};
    for (int i = 0; i < 3; ++i) {
        out << "CONNECT '" << connections[i]->connectString() << "' USER 'sysdba' PASSWORD '"
            << connections[i]->params().password << "';\n";
        out << statements[i] << ";\n";
    }
    out.flush();
    file.close();
    QProcess isql;
    QElapsedTimer timer;
    timer.start();
    isql.start(QStringLiteral("isql-fb"),
               QStringList{QStringLiteral("-q"), QStringLiteral("-ch"), set.krt.params().charset,
                           QStringLiteral("-i"), path, QStringLiteral("-o"),
                           QStringLiteral("/dev/null")});
    if (!isql.waitForFinished(3600000) || isql.exitCode() != 0)
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

    // The ERP's own users keep the company databases open all day. So does this benchmark:
    // otherwise the side that runs while the other still holds its attachments finds the
    // server's page cache warm, and the one that attaches to a closed database starts cold.
    std::vector<std::unique_ptr<FbConnection>> keepers;
    for (const FbConnection* company : {&connections.krt, &connections.soka, &connections.kw}) {
        keepers.push_back(std::make_unique<FbConnection>());
        keepers.back()->setParams(company->params());
        keepers.back()->open();
    }

    // The statements as the login completes them for a user who sees every salesman.
    LoginState session;
    session.sales.sales1 = QStringLiteral("1");
    const FilterLines everyone = salesFilterLines(session.sales, {});
    session.receivablesSummarySql = summaryStatementStart() + everyone.summary;
    session.receivablesDetailSql = detailStatementStart() + everyone.detail;

    CountingMessages messages;
    StopwatchViewer viewer;
    AppContext context;
    context.messages = &messages;
    context.reportViewer = &viewer;
    ReceivablesReports reports(connections, context, session);

    struct Case {
        const char* label;
        void (ReceivablesReports::*command)();
    };
    const Case cases[] = {{"Summary", &ReceivablesReports::showSummary},
                          {"Detail", &ReceivablesReports::showDetail}};

    QTemporaryDir dir;
    std::printf("%-8s %-22s %7s %9s %9s %6s\n", "report", "rows KRT/BSM/TWSP", "pages", "report s",
                "isql s", "ratio");
    for (const Case& c : cases) {
        std::vector<double> reportTimes, isqlTimes;
        QStringList statements;
        QString rows;
        auto report = [&] {
            viewer.seconds = -1;
            viewer.timer.start();
            (reports.*c.command)();
            if (viewer.seconds < 0)
                qFatal("%s: no report", c.label);
            QStringList counts;
            statements.clear();
            for (int company = 0; company < 3; ++company) {
                FbQuery& query = reports.companyQuery(company);
                statements << query.sqlText();
                counts << QString::number(query.fetchedRows());
            }
            rows = counts.join(QLatin1Char('/'));
            return viewer.seconds;
        };
        report(); // warms the server's cache and gives the statements as run
        isqlSeconds(connections, statements, dir);
        for (int run = 0; run < runs; ++run) {
            // Turn about, so that neither side always finds the other's pages cached.
            if (run % 2 == 0) {
                reportTimes.push_back(report());
                isqlTimes.push_back(isqlSeconds(connections, statements, dir));
            } else {
                isqlTimes.push_back(isqlSeconds(connections, statements, dir));
                reportTimes.push_back(report());
            }
        }
        const double r = median(reportTimes);
        const double i = median(isqlTimes);
        std::printf("%-8s %-22s %7d %9.3f %9.3f %6.2f\n", c.label, qPrintable(rows), viewer.pages,
                    r, i, r / i);
        std::fflush(stdout);
    }
    return messages.shown == 0 ? 0 : 1;
}
