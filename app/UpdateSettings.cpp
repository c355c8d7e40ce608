#include "app/UpdateSettings.h"

#include "platform/IniFile.h"

#include <QStandardPaths>

namespace
{
const QString kSection = QStringLiteral("Update");
// Loopback until Config.ini names the real host, as for the database servers.
const QString kDefaultHost = QStringLiteral("127.0.0.1");
constexpr int kDefaultTimeoutSeconds = 30;

#ifdef Q_OS_WIN
QString defaultFirstFolder(const QString&)
{
    return QStringLiteral("C:\\Program Files (x86)\\VadIdudiRara");
}
QString defaultSecondFolder()
{
    return QStringLiteral("C:\\Program Files\\VadIdudiRara");
}
#else
QString defaultFirstFolder(const QString& programDir)
{
    return programDir;
}
QString defaultSecondFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vidarera");
}
#endif
} // namespace

UpdateSettings UpdateSettings::read(const IniFile& ini, const QString& programDir)
{
    auto text = [&](const char* key, const QString& fallback) {
        const QString v = ini.read(kSection, QLatin1String(key)).trimmed();
        return v.isEmpty() ? fallback : v;
    };
    UpdateSettings s;
    s.host = text("Host", kDefaultHost);
    s.firstFolder = text("FirstFolder", defaultFirstFolder(programDir));
    s.secondFolder = text("SecondFolder", defaultSecondFolder());
    bool ok = false;
    const int timeout = ini.read(kSection, QStringLiteral("Timeout")).toInt(&ok);
    s.timeoutSeconds = ok && timeout > 0 ? timeout : kDefaultTimeoutSeconds;
    return s;
}
