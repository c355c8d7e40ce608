#pragma once

#include "platform/AppContext.h"
#include "platform/HttpDownloader.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeReportViewer.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/ScriptedPinger.h"

#include <QTemporaryDir>
#include <memory>

class MainWindow;
class SalesAchievementDialog;
class UserProfileDialog;

// The program's three windows on a private program folder whose Config.ini names the
// servers, with scripted messages, a fixed clock and a scripted echo. The updater is
// installed in a folder of its own with a time later than any release, and launches are
// only recorded.
class WindowFixture
{
public:
    struct Servers {
        QString lan, headOffice, fallback;
    };
    // The test servers, with the LAN answering the echo.
    static Servers testServers();
    // An address where no server listens.
    static QString deadAddress() { return QStringLiteral("127.0.0.99"); }

    explicit WindowFixture(const Servers& servers, bool lanReplies = true,
                           const QByteArray& configSection = {});
    ~WindowFixture();

    // Runs the start-up; messages shown so far are cleared first.
    void start();
    // Start-up and a login with the NIK; true when the login went through.
    bool login(const QString& nik);

    QString configPath() const;
    // Where the installed updater is ([Update] FirstFolder).
    QString updaterFolder() const;
    QByteArray configText() const;

    QTemporaryDir dir;
    ScriptedMessages messages;
    FakeClock clock;
    ScriptedPinger pinger;
    FakeReportViewer viewer;
    HttpDownloader downloader;
    RecordingLauncher launcher;
    AppContext context;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<SalesAchievementDialog> omset;
    std::unique_ptr<UserProfileDialog> profile;
};
