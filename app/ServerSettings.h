#pragma once

#include "data/FbConnection.h"

#include <QString>

class IniFile;

// Section "Server" of Config.ini: the three server addresses and the connection options.
struct ServerSettings {
    QString lan;
    QString headOffice;
    QString fallback;
    ConnectionParams connection; // character set and connect time-out

    // Unreadable or missing values fall back to the built-in defaults.
    static ServerSettings read(const IniFile& ini);
};
