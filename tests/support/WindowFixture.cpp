#include "tests/support/WindowFixture.h"

#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "sales/SalesAchievementDialog.h"
#include "tests/support/TestServers.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

WindowFixture::Servers WindowFixture::testServers()
{
    return {TestServers::lan(), TestServers::headOffice(), TestServers::fallback()};
}

WindowFixture::WindowFixture(const Servers& servers, bool lanReplies,
                             const QByteArray& configSection)
    : pinger(lanReplies)
{
    QFile ini(configPath());
    ini.open(QIODevice::WriteOnly);
    ini.write("[Server]\r\nLAN=" + servers.lan.toUtf8() + "\r\nHO=" + servers.headOffice.toUtf8() +
              "\r\nFallback=" + servers.fallback.toUtf8() + "\r\nConnectTimeout=3\r\n");
    // Nothing listens on the discard port: a download that was not meant to happen fails.
    ini.write("[Update]\r\nHost=127.0.0.1:9\r\nFirstFolder=" + updaterFolder().toUtf8() +
              "\r\nSecondFolder=" + dir.filePath(QStringLiteral("second")).toUtf8() +
              "\r\nTimeout=5\r\n");
    if (!configSection.isEmpty())
        ini.write("[Config]\r\n" + configSection);
    ini.close();
    QDir().mkpath(updaterFolder());
    QFile updater(QDir(updaterFolder()).filePath(QStringLiteral("AutoUpdate.exe")));
    updater.open(QIODevice::WriteOnly);
    updater.write("installed updater");
    updater.flush(); // a later flush would stamp the file again
    updater.setFileTime(QDateTime(QDate(2030, 1, 1), QTime(0, 0)),
                        QFileDevice::FileModificationTime);
    updater.close();
    context.messages = &messages;
    context.clock = &clock;
    context.pinger = &pinger;
    context.reportViewer = &viewer;
    context.downloader = &downloader;
    context.launcher = &launcher;
    context.programDir = dir.path();
    window = std::make_unique<MainWindow>(context);
    omset = std::make_unique<SalesAchievementDialog>(window->connections(), context,
                                                     window->loginState(), window.get());
    profile = std::make_unique<UserProfileDialog>(window->connections(), context, window.get());
    window->setCompanions(omset.get(), profile.get());
}

WindowFixture::~WindowFixture()
{
    profile.reset();
    omset.reset();
    window.reset();
}

void WindowFixture::start()
{
    window->runStartup();
    messages.clear();
}

bool WindowFixture::login(const QString& nik)
{
    if (!window->startupDone())
        start();
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("nik"));
    field->setText(nik);
    QTest::keyClick(field, Qt::Key_Return);
    return window->loggedIn();
}

QString WindowFixture::configPath() const
{
    return dir.filePath(QStringLiteral("Config.ini"));
}

QString WindowFixture::updaterFolder() const
{
    return dir.filePath(QStringLiteral("updater"));
}

QByteArray WindowFixture::configText() const
{
    QFile f(configPath());
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
