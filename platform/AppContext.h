#pragma once

#include <QString>

class Clock;
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
    QString programDir;  // where Config.ini lives

    QString configPath() const { return programDir + QStringLiteral("/Config.ini"); }
};
