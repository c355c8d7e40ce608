// A day of use in one process: stock checks with varied filters and sources, reports, and
// logins and closings of new main windows, against a server with the demo databases. Prints
// the resident memory at the start, after a tenth of the work and at the end, and the
// attachments the server shows for this process beside the connections the program holds.
//
//   bench_soak [HOST [CHECKS [REPORTS [LOGINS]]]]   default 127.0.0.1 2000 50 100
//
// HOST serves the demo databases on the LAN port 3051 (bench/README.md, "A day of use").

#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "app/MainWindowObjectNames.h"
#include "data/ConnectionSet.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Downloader.h"
#include "platform/FileLauncher.h"
#include "platform/Messages.h"
#include "platform/Pinger.h"
#include "report/ReportPrepared.h"
#include "report/ReportViewer.h"
#include "sales/SalesAchievementDialog.h"
#include "stock/StockObjectNames.h"
#include "stock/StockView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

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
        return true; // every question answered OK
    }
    int errors = 0;
};

class CountingViewer : public ReportViewer
{
public:
    void preview(const PreparedReport& report) override
    {
        ++reports;
        pages += report.pageCount();
    }
    int reports = 0;
    int pages = 0;
};

class LanReplies : public Pinger
{
public:
    bool echo(const QString&, int) override { return true; }
};

class NoDownload : public Downloader
{
public:
    QString download(const QUrl&, const QString&, int, const Progress&) override
    {
        return QStringLiteral("not in a benchmark");
    }
};

class NoLaunch : public FileLauncher
{
public:
    bool launch(const QString&) override { return false; }
};

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// One workstation's windows, as the program entry makes them.
struct Desk {
    explicit Desk(AppContext& context)
    {
        window = std::make_unique<MainWindow>(context);
        sales = std::make_unique<SalesAchievementDialog>(window->connections(), context,
                                                         window->loginState(), window.get());
        profile = std::make_unique<UserProfileDialog>(window->connections(), context, window.get());
        window->setCompanions(sales.get(), profile.get());
        window->runStartup();
        window->show();
    }
    ~Desk()
    {
        profile.reset();
        sales.reset();
        window.reset();
    }
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<SalesAchievementDialog> sales;
    std::unique_ptr<UserProfileDialog> profile;
};

// The stock checks of the day: source, field and text, in turn.
struct Search {
    const char* source;
    const char* field;
    const char* text;
};
constexpr Search kSearches[] = {
    {StockObjectNames::allCompaniesButton, StockObjectNames::descriptionEdit, "kabel"},
    {StockObjectNames::krtOnlyButton, StockObjectNames::descriptionEdit, ""},
    {StockObjectNames::allCompaniesButton, StockObjectNames::codeEdit, "3-9"},
    {StockObjectNames::oldStockButton, StockObjectNames::typeEdit, "MCB"},
    {StockObjectNames::krtOnlyButton, StockObjectNames::codeEdit, "5-0"},
    {StockObjectNames::allCompaniesButton, StockObjectNames::descriptionEdit, "lampu"},
    {StockObjectNames::oldStockButton, StockObjectNames::descriptionEdit, "bekas"},
    {StockObjectNames::allCompaniesButton, StockObjectNames::descriptionEdit, "ing"},
    {StockObjectNames::krtOnlyButton, StockObjectNames::descriptionEdit, "pipa"},
    {StockObjectNames::allCompaniesButton, StockObjectNames::descriptionEdit, "zzz"},
};

void pressEnter(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

// Every user may be the one at the desk: the features run whatever the menus show.
void login(Desk& desk, const QString& nik)
{
    auto* field = desk.window->findChild<QLineEdit*>(QLatin1String(MainWindowObjectNames::nikEdit));
    field->setText(nik);
    pressEnter(field);
}

void search(Desk& desk, const Search& s)
{
    desk.window->findChild<QRadioButton*>(QLatin1String(s.source))->setChecked(true);
    auto* field = desk.window->findChild<QLineEdit*>(QLatin1String(s.field));
    field->setText(QLatin1String(s.text));
    pressEnter(field);
    // The grids fetch what they show; scroll company A's to its end as a user might.
    QueryTableModel* model = desk.window->stockView().dataSource(0);
    while (model->canFetchMore({}))
        model->fetchMore({});
}

void report(Desk& desk, int which)
{
    auto trigger = [&desk](const char* name) {
        desk.window->findChild<QAction*>(QLatin1String(name))->trigger();
    };
    auto inSales = [&desk](const char* name, const char* button) {
        desk.sales->show();
        QCoreApplication::processEvents();
        auto* box = desk.sales->findChild<QComboBox*>(QStringLiteral("cbnamasales"));
        box->setCurrentIndex(box->findText(QLatin1String(name)));
        box->setEditText(QLatin1String(name));
        desk.sales->findChild<QPushButton*>(QLatin1String(button))->click();
        desk.sales->hide();
    };
    switch (which % 6) {
    case 0:
        search(desk,
               {StockObjectNames::allCompaniesButton, StockObjectNames::descriptionEdit, "kabel"});
        trigger(MainWindowObjectNames::printStock);
        break;
    case 1:
        trigger(MainWindowObjectNames::itemToBuy);
        break;
    case 2:
        inSales("All Sales", "btncek");
        break;
    case 3:
        inSales("Andi", "btndetail");
        break;
    case 4:
        trigger(MainWindowObjectNames::receivablesSummary);
        break;
    default:
        trigger(MainWindowObjectNames::receivablesDetail);
        break;
    }
}

// The program's connections that are attached now.
int openConnections(Desk& desk)
{
    ConnectionSet& c = desk.window->connections();
    int open = 0;
    for (FbConnection* connection : {&c.control, &c.krt, &c.soka, &c.kw, &c.oldStock})
        open += connection->isOpen() ? 1 : 0;
    return open;
}

// Attachments of this process that the server lists, over the five databases.
int serverAttachments(const QString& host)
{
    const QString databases[] = {
        ConnectionSet::controlDatabase(), ConnectionSet::krtDatabase(QStringLiteral("2025")),
        ConnectionSet::sokaDatabase(QStringLiteral("2024")),
        ConnectionSet::kwDatabase(QStringLiteral("25")), ConnectionSet::oldStockDatabase()};
    int count = 0;
    for (const QString& database : databases) {
        FbConnection probe;
        ConnectionParams p;
        p.host = host;
        p.port = ConnectionSet::kLanPort;
        p.database = database;
        p.password = QStringLiteral("plumtrees");
        probe.setParams(p);
        FbQuery q(&probe);
        q.setSql(QStringLiteral("select count(*) from MON$ATTACHMENTS where "
                                "MON$ATTACHMENT_ID <> CURRENT_CONNECTION and MON$REMOTE_PID = ") +
                 QString::number(getpid()));
        q.open();
        count += q.value(0, 0).toInt();
    }
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString host = args.value(1, QStringLiteral("127.0.0.1"));
    const int checks = args.value(2, QStringLiteral("2000")).toInt();
    const int reports = args.value(3, QStringLiteral("50")).toInt();
    const int logins = args.value(4, QStringLiteral("100")).toInt();

    // The program folder: the servers, and an updater newer than any release.
    QTemporaryDir dir;
    {
        QFile ini(dir.filePath(QStringLiteral("Config.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Server]\r\nLAN=" + host.toUtf8() + "\r\nHO=127.0.0.99\r\nFallback=127.0.0.99" +
                  "\r\nConnectTimeout=5\r\n[Update]\r\nFirstFolder=" + dir.path().toUtf8() +
                  "\r\nSecondFolder=" + dir.path().toUtf8() + "\r\n");
        QFile updater(dir.filePath(QStringLiteral("AutoUpdate.exe")));
        updater.open(QIODevice::WriteOnly);
        updater.write("updater");
        updater.flush();
        updater.setFileTime(QDateTime(QDate(2030, 1, 1), QTime(0, 0)),
                            QFileDevice::FileModificationTime);
    }
    CountingMessages messages;
    Clock clock;
    LanReplies pinger;
    CountingViewer viewer;
    NoDownload downloader;
    NoLaunch launcher;
    AppContext context;
    context.messages = &messages;
    context.clock = &clock;
    context.pinger = &pinger;
    context.reportViewer = &viewer;
    context.downloader = &downloader;
    context.launcher = &launcher;
    context.programDir = dir.path();

    const QString niks[] = {QStringLiteral("100001"), QStringLiteral("100004"),
                            QStringLiteral("100005"), QStringLiteral("100006")};
    auto desk = std::make_unique<Desk>(context);
    login(*desk, niks[0]);

    // The three kinds spread evenly over the day: each at the middles of its own shares.
    enum class Step { Check, Report, Login };
    QList<QPair<double, Step>> day;
    for (const auto& [count, kind] :
         {std::pair{checks, Step::Check}, {reports, Step::Report}, {logins, Step::Login}})
        for (int i = 0; i < count; ++i)
            day.append({(i + 0.5) / count, kind});
    std::stable_sort(day.begin(), day.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    const double atStart = residentMb();
    double atTenth = 0;
    int doneChecks = 0, doneReports = 0, doneLogins = 0;
    QElapsedTimer timer;
    timer.start();
    for (int step = 0; step < day.size(); ++step) {
        switch (day[step].second) {
        case Step::Login:
            // Close this window (question, settings, status stamp) and log in on a new one.
            desk->window->close();
            desk = std::make_unique<Desk>(context);
            login(*desk, niks[++doneLogins % std::size(niks)]);
            break;
        case Step::Report:
            report(*desk, doneReports++);
            break;
        case Step::Check:
            search(*desk, kSearches[doneChecks++ % std::size(kSearches)]);
            break;
        }
        QCoreApplication::processEvents();
        if (step + 1 == day.size() / 10)
            atTenth = residentMb();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double atEnd = residentMb();
    const int open = openConnections(*desk);
    const int attached = serverAttachments(host);

    std::printf("day of use: %d stock checks, %d reports, %d logins and closings in %.0f s\n",
                doneChecks, doneReports, doneLogins, seconds);
    std::printf("reports previewed: %d (%d pages); errors shown: %d\n", viewer.reports,
                viewer.pages, messages.errors);
    std::printf("resident MB: start %.1f, after 10%% %.1f, end %.1f (end / after 10%%: %.3f)\n",
                atStart, atTenth, atEnd, atTenth > 0 ? atEnd / atTenth : 0.0);
    std::printf("attachments the server shows for this process: %d; connections the program "
                "holds open: %d\n",
                attached, open);
    const bool memoryKept = atTenth > 0 && atEnd <= atTenth * 1.10;
    return memoryKept && attached == open && messages.errors == 0 ? 0 : 1;
}
