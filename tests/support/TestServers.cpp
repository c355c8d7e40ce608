#include "tests/support/TestServers.h"

#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/FbQuery.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace TestServers
{

namespace
{
QString env(const char* name)
{
    return QProcessEnvironment::systemEnvironment().value(QLatin1String(name));
}
} // namespace

QString root()
{
    return env("VID_TEST_ROOT");
}
QString lan()
{
    return env("VID_TEST_LAN");
}
QString headOffice()
{
    return env("VID_TEST_HO");
}
QString fallback()
{
    return env("VID_TEST_FALLBACK");
}
QString scratchDir()
{
    const QString dir = env("VID_TEST_SCRATCH");
    return dir.isEmpty() ? root() + QStringLiteral("/lan/data") : dir;
}
bool available()
{
    return !lan().isEmpty();
}
QString spareAddress(int last)
{
    return lan().section(QLatin1Char('.'), 0, 2) + QLatin1Char('.') + QString::number(last);
}

ConnectionParams params(const QString& host, int port, const QString& database)
{
    ConnectionParams p;
    p.host = host;
    p.port = port;
    p.database = database;
    p.user = QStringLiteral("sysdba");
    p.password = QStringLiteral("plumtrees");
    p.connectTimeoutSeconds = 5;
    return p;
}

ConnectionParams lanControl()
{
    return params(lan(), ConnectionSet::kLanPort, ConnectionSet::controlDatabase());
}

Suffixes suffixes()
{
    FbConnection control;
    control.setParams(lanControl());
    FbQuery query(&control);
    query.setSql(ControlRecords::applicationRecordSql());
    query.open();
    const ControlRecords::ApplicationRecord app = ControlRecords::readApplicationRecord(query);
    return {app.suffixKrt, app.suffixSoka, app.suffixKw};
}

int runScript(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList args = arguments;
    const QString script = env("VID_SOURCE_DIR") + QLatin1Char('/') + args.takeFirst();
    process.start(script, args);
    if (!process.waitForFinished(300000))
        return -1;
    return process.exitCode();
}

QString sourceFile(const QString& relativePath)
{
    return env("VID_SOURCE_DIR") + QLatin1Char('/') + relativePath;
}

int runIsql(const QString& host, int port, const QString& database, const QString& sqlFileOrText,
            QString* output)
{
    const bool isFile = QFileInfo(sqlFileOrText).isFile();
    QStringList args{QStringLiteral("-b"),        QStringLiteral("-q"),
                     QStringLiteral("-user"),     QStringLiteral("SYSDBA"),
                     QStringLiteral("-password"), QStringLiteral("plumtrees"),
                     QStringLiteral("-ch"),       QStringLiteral("UTF8")};
    if (isFile)
        args << QStringLiteral("-i") << sqlFileOrText;
    args << host + QLatin1Char('/') + QString::number(port) + QLatin1Char(':') + database;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/usr/bin/isql-fb"), args);
    if (!process.waitForStarted(10000))
        return -1;
    if (!isFile)
        process.write(sqlFileOrText.toUtf8() + "\n");
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(300000);
    if (output)
        *output = QString::fromUtf8(process.readAll());
    if (!finished) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace TestServers
