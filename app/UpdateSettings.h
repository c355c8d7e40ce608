#pragma once

#include <QString>

class IniFile;

// Section "Update" of Config.ini: where the updater is installed and where new ones come from.
struct UpdateSettings {
    QString host;            // "address" or "address:port" of the HTTP update host
    QString firstFolder;     // looked in first for the updater, launched first
    QString secondFolder;    // looked in second, launched second, first choice for a new one
    int timeoutSeconds = 30; // a download gives up after this long without data

    // Missing values take the defaults: on Windows the installation folders under
    // "Program Files (x86)" and "Program Files"; elsewhere the program's folder and the
    // user's data folder.
    static UpdateSettings read(const IniFile& ini, const QString& programDir);
};
