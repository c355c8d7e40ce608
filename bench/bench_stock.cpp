// The three-company stock check, from Enter to the grids bound and laid out, beside isql-fb
// running the same three statements and fetching as many rows as the grids fetched.
//
//   bench_stock [HOST [PORT [RUNS]]]     default 127.0.0.5 3051 3
//
// Needs a server with the large demo databases (bench/README.md, "Stock check").

#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/FbQuery.h"
#include "platform/Messages.h"
#include "platform/WindowScaler.h"
#include "stock/StockView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace
{

const QString kCutoff = QStringLiteral("12/30/2025");

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

struct Filter {
    const char* label;
    const char* field; // vidarera or cekkode
    QString text;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Rows of the active result that match, counted by the server (not timed).
QString matches(const ConnectionSet& set, const QString& field, const QString& text)
{
    QStringList counts;
    for (const FbConnection* c : {&set.krt, &set.soka, &set.kw}) {
        FbConnection connection;
        connection.setParams(c->params());
        FbQuery q(&connection);
        q.setSql(QStringLiteral("select count(*) from ITEM a where a.%1 containing cast(:T as "
                                "varchar(200)) and a.ITEMDESCRIPTION is not null and "
                                "a.ITEMTYPE=0 and left(a.ITEMNO,1) in ('3','5','7','9')")
                     .arg(field));
        q.setParam(QStringLiteral("T"), text);
        q.open();
        counts << q.value(0, 0).toString();
    }
    return counts.join(QLatin1Char('/'));
}

// isql-fb with the same statements, each fetching `rows[i]` rows; seconds.
double isqlSeconds(const ConnectionSet& set, const QStringList& statements, const QList<int>& rows,
                   const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("check.sql"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QTextStream out(&file);
    const FbConnection* connections[3] = {&set.krt, &set.soka, &set.kw};
    for (int i = 0; i < 3; ++i) {
        out << "CONNECT '" << connections[i]->connectString() << "' USER 'sysdba' PASSWORD '"
            << connections[i]->params().password << "';\n";
        out << "SET ROWCOUNT " << rows[i] << ";\n" << statements[i] << ";\n";
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
    WindowScaler scaler(&window, QSize(943, 698));
    CountingMessages messages;
    StockView view(&window, scaler, connections, messages);
    view.applyStartSql();
    view.prepareGrids();
    view.setCutoff(kCutoff);
    view.showCompanyPanels();
    window.show();
    QCoreApplication::processEvents();

    QTemporaryDir dir;
    const Filter filters[] = {
        {"code 3-0987", "cekkode", QStringLiteral("3-0987")},
        {"Palu Kambing 16", "vidarera", QStringLiteral("Palu Kambing 16")},
        {"ing", "vidarera", QStringLiteral("ing")},
        {"code 9-0", "cekkode", QStringLiteral("9-0")},
    };
    FbQuery* queries[3] = {&view.krt(), &view.soka(), &view.kw()};

    std::printf("%-16s %-17s %-12s %9s %9s %6s\n", "filter", "matching A/B/C", "rows shown",
                "view s", "isql s", "ratio");
    for (const Filter& f : filters) {
        auto* edit = window.findChild<QLineEdit*>(QLatin1String(f.field));
        std::vector<double> viewTimes, isqlTimes;
        QList<int> shown;
        QStringList statements;
        for (int run = 0; run <= runs; ++run) { // run 0 warms the server's cache
            edit->setText(f.text);
            QElapsedTimer timer;
            timer.start();
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(edit, &enter);
            // The grids lay themselves out and fetch the rows they show.
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
            const double seconds = timer.nsecsElapsed() / 1e9;
            shown.clear();
            statements.clear();
            for (FbQuery* q : queries) {
                shown << q->fetchedRows();
                statements << q->sqlText();
            }
            const double isql = isqlSeconds(connections, statements, shown, dir);
            if (run > 0) {
                viewTimes.push_back(seconds);
                isqlTimes.push_back(isql);
            }
        }
        const QString rows = QStringLiteral("%1/%2/%3").arg(shown[0]).arg(shown[1]).arg(shown[2]);
        const QString field = qstrcmp(f.field, "cekkode") == 0 ? QStringLiteral("ITEMNO")
                                                               : QStringLiteral("ITEMDESCRIPTION");
        const double v = median(viewTimes);
        const double i = median(isqlTimes);
        std::printf("%-16s %-17s %-12s %9.3f %9.3f %6.2f\n", f.label,
                    qPrintable(matches(connections, field, f.text)), qPrintable(rows), v, i, v / i);
        std::fflush(stdout);
    }
    return messages.shown == 0 ? 0 : 1;
}
