#include "app/UpdateRules.h"

#include "data/DateRules.h"

#include <QDir>
#include <QStringList>

namespace UpdateRules
{

bool isAcceptedVersion(const QString& released)
{
    static const QStringList accepted{QStringLiteral("3.4"), QStringLiteral("3.3"),
                                      QStringLiteral("3.0")};
    return accepted.contains(released);
}

QDateTime parseReleaseDate(const QString& text)
{
    const QString t = text.trimmed();
    const QString datePart = t.section(QLatin1Char(' '), 0, 0);
    const QString timePart = t.section(QLatin1Char(' '), 1).trimmed();
    const QDate date = QDate::fromString(datePart, QLatin1String(kShortDateFormat));
    if (!date.isValid())
        return {};
    if (timePart.isEmpty())
        return QDateTime(date, QTime(0, 0));
    for (const char* format : {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"}) {
        const QTime time = QTime::fromString(timePart, QLatin1String(format));
        if (time.isValid())
            return QDateTime(date, time);
    }
    return {};
}

QDateTime inTwoSecondSteps(const QDateTime& time)
{
    const QTime t = time.time();
    QDateTime stepped = time;
    stepped.setTime(QTime(t.hour(), t.minute(), t.second() - t.second() % 2));
    return stepped;
}

bool isUpdaterOutdated(const std::optional<QDateTime>& installed, const QDateTime& release)
{
    return !installed || release > inTwoSecondSteps(*installed);
}

QString updaterPath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("AutoUpdate.exe"));
}

QUrl updaterUrl(const QString& host)
{
    return QUrl(QStringLiteral("http://") + host + QStringLiteral("/vidarera/AutoUpdate.exe"));
}

QString aboutText()
{
    return QStringList{QStringLiteral("Aplikasi Vid Arera V 3.4"),
                       QStringLiteral("Akses Dediz Update"),
                       QStringLiteral("ON SO dan IR"),
                       QStringLiteral("Stock potong DO"),
                       QStringLiteral("Last Update 09/09/25"),
                       QStringLiteral("Dirilis oleh Tim TI Vid Arera")}
        .join(QStringLiteral("\r\n\r\n"));
}

} // namespace UpdateRules
