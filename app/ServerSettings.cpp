#include "app/ServerSettings.h"

#include "platform/IniFile.h"

namespace
{
const QString kSection = QStringLiteral("Server");
// Loopback until Config.ini names the real servers: a fresh installation must not go
// looking for machines it does not know.
const QString kDefaultAddress = QStringLiteral("127.0.0.1");
constexpr int kDefaultTimeout = 10;
} // namespace

ServerSettings ServerSettings::read(const IniFile& ini)
{
    ServerSettings s;
    auto text = [&](const char* key) {
        const QString v = ini.read(kSection, QLatin1String(key));
        return v.isEmpty() ? kDefaultAddress : v;
    };
    s.lan = text("LAN");
    s.headOffice = text("HO");
    s.fallback = text("Fallback");
    bool ok = false;
    const int timeout = ini.read(kSection, QStringLiteral("ConnectTimeout")).toInt(&ok);
    s.connection.connectTimeoutSeconds = ok && timeout > 0 ? timeout : kDefaultTimeout;
    const QString charset = ini.read(kSection, QStringLiteral("Charset"));
    if (!charset.isEmpty())
        s.connection.charset = charset;
    return s;
}
