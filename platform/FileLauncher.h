#pragma once

#include <QString>

// Opens a file the way the desktop opens it: a program runs, a document shows.
class FileLauncher
{
public:
    virtual ~FileLauncher() = default;
    // False when the file is missing or the desktop could not open it; nothing is shown.
    virtual bool launch(const QString& path) = 0;
};
