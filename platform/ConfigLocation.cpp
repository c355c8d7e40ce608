#include "platform/ConfigLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString configFilePath(const QString& programDir, bool fileExists, bool dirWritable,
                       const QString& userConfigDir)
{
    const QString name = QLatin1String(kConfigFileName);
    if (fileExists || dirWritable || userConfigDir.isEmpty())
        return QDir(programDir).filePath(name);
    return QDir(userConfigDir).filePath(name);
}

QString locateConfigFile(const QString& programDir, const QString& userConfigDir)
{
    const QFileInfo file(QDir(programDir).filePath(QLatin1String(kConfigFileName)));
    const QFileInfo dir(programDir);
    return configFilePath(programDir, file.exists(), dir.isDir() && dir.isWritable(),
                          userConfigDir);
}

QString userConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}
