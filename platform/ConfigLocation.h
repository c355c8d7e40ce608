#pragma once

#include <QString>

inline constexpr char kConfigFileName[] = "Config.ini";

// Where Config.ini lives: beside the program when it is already there or the program's folder
// takes new files (a Windows installation, a portable copy, a build tree); otherwise in the
// user's configuration folder, which the first save creates. Without a user folder it stays
// beside the program.
QString configFilePath(const QString& programDir, bool fileExists, bool dirWritable,
                       const QString& userConfigDir);

// The same, asking the file system about the program's folder.
QString locateConfigFile(const QString& programDir, const QString& userConfigDir);

// The user's configuration folder of this program (~/.config/vidarera on Linux).
QString userConfigFolder();
