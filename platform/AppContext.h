#pragma once

#include "platform/ConfigLocation.h"

#include <QString>

class Clock;
class Downloader;
class FileLauncher;
class Messages;
class Pinger;
class ReportViewer;

// What the windows need of the world outside the program, passed in so tests can
// stand in for each piece. The pointers are not owned.
struct AppContext {
    Messages* messages = nullptr;
    Clock* clock = nullptr;
    Pinger* pinger = nullptr;
    ReportViewer* reportViewer = nullptr;
    Downloader* downloader = nullptr; // fetches the updater
    FileLauncher* launcher = nullptr; // starts the updater
    QString programDir;               // the program file's folder
    QString userConfigDir; // the user's configuration folder; empty keeps Config.ini beside

    QString configPath() const { return locateConfigFile(programDir, userConfigDir); }
};
