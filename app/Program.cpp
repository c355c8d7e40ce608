#include "app/Program.h"

#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "app/ProgramOptions.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/DesktopLauncher.h"
#include "platform/HttpDownloader.h"
#include "platform/IcmpPinger.h"
#include "platform/QtMessages.h"
#include "report/ReportDialogViewer.h"
#include "sales/SalesAchievementDialog.h"

#include <QApplication>
#include <QScreen>

namespace
{
// The window keeps its designed proportions and takes most of the screen, as large on a
// big monitor as on a laptop; the scaler sizes every control to match.
void fitToScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QSize available = screen->availableGeometry().size() * 0.9;
    window.resize(window.size().scaled(available, Qt::KeepAspectRatio));
}
} // namespace

void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("vidarera"));
}

int runProgram(int argc, char** argv)
{
    if (const std::optional<int> status = answerInfoOption(argc, argv))
        return *status;
    QApplication app(argc, argv);
    nameApplication();

    QtMessages messages(QStringLiteral("Vid Arera"));
    Clock clock;
    IcmpPinger pinger;
    ReportDialogViewer reportViewer(messages);
    HttpDownloader downloader;
    DesktopLauncher launcher;
    AppContext context;
    context.messages = &messages;
    context.clock = &clock;
    context.pinger = &pinger;
    context.reportViewer = &reportViewer;
    context.downloader = &downloader;
    context.launcher = &launcher;
    context.programDir = QApplication::applicationDirPath();
    context.userConfigDir = userConfigFolder();

    ProgramWindows windows(context);
    fitToScreen(windows.main());
    windows.main().show();
    return app.exec();
}

ProgramWindows::ProgramWindows(AppContext& context)
    : m_main(std::make_unique<MainWindow>(context)),
      m_sales(std::make_unique<SalesAchievementDialog>(m_main->connections(), context,
                                                       m_main->loginState(), m_main.get())),
      m_profile(std::make_unique<UserProfileDialog>(m_main->connections(), context, m_main.get()))
{
    m_main->setCompanions(m_sales.get(), m_profile.get());
}

ProgramWindows::~ProgramWindows()
{
    // The dialogs are children of the main window: they go first.
    m_profile.reset();
    m_sales.reset();
}
