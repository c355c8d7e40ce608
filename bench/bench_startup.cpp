// Start-up, from the launch of a process until the login panel waits for a NIK with the LAN
// server reachable and the installed updater up to date, beside a bare process that only creates
// the application, sends the echo and attaches to the control database.
//
//   bench_startup [HOST [RUNS]]       default 127.0.0.5 10; the LAN server's port is 3051
//   bench_startup --child program|bare DIR    one launch (run by the above)
//
// Needs a server with the demo databases on HOST (bench/README.md, "Start-up").

#include "app/MainWindow.h"
#include "app/Program.h"
#include "data/ConnectionSet.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/DesktopLauncher.h"
#include "platform/HttpDownloader.h"
#include "platform/IcmpPinger.h"
#include "platform/Messages.h"
#include "report/ReportDialogViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace
{

// Answers every message at once, as a user clicking OK would (without the wait).
class AnsweringMessages : public Messages
{
public:
    bool show(Kind kind, const QString& text, const QString&) override
    {
        if (kind == Kind::Error)
            std::fprintf(stderr, "error: %s\n", qPrintable(text));
        errors += kind == Kind::Error;
        return true;
    }
    int errors = 0;
};

// Tells the parent the moment has come; what the process does afterwards is not timed.
void ready()
{
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

// Steps of one launch, in milliseconds since the process began its main().
void step(const QElapsedTimer& clock, const char* what)
{
    if (qEnvironmentVariableIsSet("BENCH_STEPS"))
        std::fprintf(stderr, "%7.1f ms  %s\n", clock.nsecsElapsed() / 1e6, what);
}

int program(int argc, char** argv, const QString& dir, const QElapsedTimer& clock)
{
    QApplication app(argc, argv);
    nameApplication();
    step(clock, "application");
    AnsweringMessages messages;
    Clock today;
    IcmpPinger pinger;
    ReportDialogViewer reportViewer(messages);
    HttpDownloader downloader;
    DesktopLauncher launcher;
    AppContext context;
    context.messages = &messages;
    context.clock = &today;
    context.pinger = &pinger;
    context.reportViewer = &reportViewer;
    context.downloader = &downloader;
    context.launcher = &launcher;
    context.programDir = dir;

    ProgramWindows windows(context);
    MainWindow& mainWindow = windows.main();
    step(clock, "windows");
    mainWindow.show();
    step(clock, "shown");
    // The start-up runs from the first show, queued; this comes after it.
    QTimer::singleShot(0, &app, [&] {
        step(clock, "started, painted");
        const bool ok = mainWindow.startupDone() && messages.errors == 0;
        ready();
        app.exit(ok ? 0 : 1);
    });
    return app.exec();
}

int bare(int argc, char** argv, const QString& host, const QElapsedTimer& clock)
{
    QApplication app(argc, argv);
    step(clock, "application");
    IcmpPinger pinger;
    if (!pinger.echo(host, 5000))
        return 1;
    step(clock, "echo");
    ConnectionSet connections;
    connections.setControlServer(host, ConnectionSet::kLanPort);
    connections.control.open();
    step(clock, "attached");
    ready();
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds from the start of a child until it says it is ready.
double launch(const QString& kind, const QString& arg)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), kind, arg});
    while (!child.canReadLine())
        if (!child.waitForReadyRead(60000))
            qFatal("%s launch failed", qPrintable(kind));
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        qFatal("%s launch failed", qPrintable(kind));
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0) {
        if (qstrcmp(argv[2], "program") == 0)
            return program(argc, argv, QString::fromLocal8Bit(argv[3]), clock);
        return bare(argc, argv, QString::fromLocal8Bit(argv[3]), clock);
    }

    QCoreApplication app(argc, argv);
    const QString host = app.arguments().value(1, QStringLiteral("127.0.0.5"));
    const int runs = std::max(1, app.arguments().value(2, QStringLiteral("10")).toInt());
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("Config.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        qFatal("cannot write Config.ini");
    ini.write("[Server]\r\nLAN=" + host.toUtf8() + "\r\n");
    ini.close();
    // An updater newer than the one the application record releases: nothing to fetch.
    QFile updater(dir.filePath(QStringLiteral("AutoUpdate.exe")));
    if (!updater.open(QIODevice::WriteOnly))
        qFatal("cannot write the updater");
    updater.close();

    std::vector<double> programTimes, bareTimes;
    for (int run = 0; run <= runs; ++run) { // run 0 warms the caches
        const double p = launch(QStringLiteral("program"), dir.path());
        const double b = launch(QStringLiteral("bare"), host);
        if (run > 0) {
            programTimes.push_back(p);
            bareTimes.push_back(b);
        }
    }
    const double p = median(programTimes);
    const double b = median(bareTimes);
    std::printf("%-12s %12s %9s %6s\n", "runs", "program ms", "bare ms", "ratio");
    std::printf("%-12d %12.1f %9.1f %6.2f\n", runs, p, b, p / b);
    return 0;
}
