// The sales window's commands, from the button to the figures shown or the prepared report,
// beside isql-fb running the same statements and fetching the same rows.
//
//   bench_sales [HOST [PORT [RUNS [FIRST LAST]]]]   default 127.0.0.5 3051 3 01/01/2026 31/01/2026
//
// Needs a server with the demo databases (bench/README.md, "Sales window").

#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/DateRules.h"
#include "data/FbQuery.h"
#include "data/LoginState.h"
#include "data/SalesTeamRecords.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "report/ReportPrepared.h"
#include "report/ReportViewer.h"
#include "sales/SalesAchievementDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace
{

class CountingMessages : public Messages
{
public:
    bool show(Kind kind, const QString& text, const QString&) override
    {
        if (kind == Kind::Error) {
            std::fprintf(stderr, "error: %s\n", qPrintable(text));
            ++errors;
        }
        return true;
    }
    int errors = 0;
};

// Stops the clock when the report is ready to show; keeps how many rows it printed.
class TimingViewer : public ReportViewer
{
public:
    void preview(const PreparedReport& report) override
    {
        seconds = timer.nsecsElapsed() / 1e9;
        // Every row shows its company's code once.
        rows = 0;
        for (const PreparedPage& page : report.pages)
            for (const PreparedItem& item : page.items)
                rows += kCodes.contains(report.itemText(item)) ? 1 : 0;
    }
    QElapsedTimer timer;
    double seconds = 0;
    int rows = 0;

private:
    const QStringList kCodes{QStringLiteral("KRT"), QStringLiteral("BSM"), QStringLiteral("TWSP")};
};

struct Case {
    const char* label;
    QString entry;
    const char* button;
    bool report;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString literal(const QString& text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

// The statement as isql gets it: parameters as literals.
QString withValues(QString sql, QDate first, QDate last, const QString& salesman)
{
    sql.replace(QStringLiteral(":FIRST"), literal(first.toString(Qt::ISODate)));
    sql.replace(QStringLiteral(":LAST"), literal(last.toString(Qt::ISODate)));
    sql.replace(QStringLiteral(":nmsalesman"), literal(salesman));
    return sql;
}

// isql-fb attaching to the control database and the three companies and running the
// statements; `rows` 0 fetches everything. Seconds.
double isqlSeconds(const ConnectionSet& set, const QStringList& controlStatements,
                   const QStringList& companyStatements, int rows, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("sales.sql"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QTextStream out(&file);
    auto connect = [&](const FbConnection& c) {
        out << "CONNECT '" << c.connectString() << "' USER 'sysdba' PASSWORD '"
            << c.params().password << "';\n";
    };
    if (!controlStatements.isEmpty()) {
        connect(set.control);
        for (const QString& sql : controlStatements)
            out << sql << ";\n";
    }
    const FbConnection* companies[3] = {&set.krt, &set.soka, &set.kw};
    for (int i = 0; i < 3; ++i) {
        connect(*companies[i]);
        out << "SET ROWCOUNT " << rows << ";\n" << companyStatements[i] << ";\n";
    }
    out.flush();
    file.close();
    QProcess isql;
    QElapsedTimer timer;
    timer.start();
    isql.start(QStringLiteral("isql-fb"),
               {QStringLiteral("-q"), QStringLiteral("-ch"), set.krt.params().charset,
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
    const QString format = QLatin1String(kShortDateFormat);
    const QDate first = QDate::fromString(args.value(4, QStringLiteral("01/01/2026")), format);
    const QDate last = QDate::fromString(args.value(5, QStringLiteral("31/01/2026")), format);

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

    CountingMessages messages;
    Clock clock;
    TimingViewer viewer;
    AppContext context;
    context.messages = &messages;
    context.clock = &clock;
    context.reportViewer = &viewer;
    LoginState login;
    login.loggedIn = true;
    login.periodStart = record.periodStart;
    login.sales.sales1 = QStringLiteral("1");

    SalesAchievementDialog dialog(connections, context, login);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dialog, &activate);
    auto* names = dialog.findChild<QComboBox*>(QStringLiteral("cbnamasales"));
    FbQuery* companies[3] = {dialog.findChild<FbQuery*>(QStringLiteral("Zkrt")),
                             dialog.findChild<FbQuery*>(QStringLiteral("Zbsm")),
                             dialog.findChild<FbQuery*>(QStringLiteral("Ztwsp"))};

    const QString team = names->itemText(0);
    const QString salesman = QStringLiteral("Andi");
    const Case cases[] = {
        {"Cek team", team, "btncek", false},
        {"Cek salesman", salesman, "btncek", false},
        {"All Sales ranking", QStringLiteral("All Sales"), "btncek", true},
        {"Detail Invoice All Sales", QStringLiteral("All Sales"), "btndetail", true},
    };

    QTemporaryDir dir;
    std::printf("period %s - %s on %s:%d\n", qPrintable(shortDate(first)),
                qPrintable(shortDate(last)), qPrintable(host), port);
    std::printf("%-26s %-14s %7s %9s %9s %6s\n", "command", "entry", "rows", "window s", "isql s",
                "ratio");
    for (const Case& c : cases) {
        std::vector<double> windowTimes, isqlTimes;
        int rows = 0;
        for (int run = 0; run <= runs; ++run) { // run 0 warms the server's cache
            names->setCurrentIndex(names->findText(c.entry));
            dialog.findChild<QDateEdit*>(QStringLiteral("DateAwal"))->setDate(first);
            dialog.findChild<QDateEdit*>(QStringLiteral("DateAkhir"))->setDate(last);
            auto* button = dialog.findChild<QPushButton*>(QLatin1String(c.button));
            viewer.timer.start();
            QElapsedTimer timer;
            timer.start();
            button->click();
            const double seconds = c.report ? viewer.seconds : timer.nsecsElapsed() / 1e9;

            // The same statements: a check reads the first row of each company, a report
            // every row; the checks also read the control database.
            QStringList control, statements;
            for (FbQuery* q : companies)
                statements << withValues(q->sqlText(), first, last, c.entry);
            rows = c.report ? viewer.rows : 3;
            if (!c.report)
                control << (c.entry == team
                                ? QStringList{ControlRecords::teamMembersSql(team),
                                              ControlRecords::teamTargetSql(team)}
                                : QStringList{ControlRecords::salesmanTargetSql(c.entry)});
            const double isql =
                isqlSeconds(connections, control, statements, c.report ? 0 : 1, dir);
            if (run > 0) {
                windowTimes.push_back(seconds);
                isqlTimes.push_back(isql);
            }
        }
        const double w = median(windowTimes);
        const double i = median(isqlTimes);
        std::printf("%-26s %-14s %7d %9.3f %9.3f %6.2f\n", c.label, qPrintable(c.entry), rows, w, i,
                    w / i);
        std::fflush(stdout);
    }
    return messages.errors == 0 ? 0 : 1;
}
