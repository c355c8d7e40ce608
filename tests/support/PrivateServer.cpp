#include "tests/support/PrivateServer.h"

#include "tests/support/TestServers.h"

#include <QDir>
#include <QFile>
#include <QProcess>

PrivateServer::PrivateServer(int last)
    : m_address(TestServers::spareAddress(last)),
      m_root(TestServers::root() + QStringLiteral("/private-%1").arg(last))
{
}

PrivateServer::~PrivateServer()
{
    stop();
}

QString PrivateServer::dataDir() const
{
    return m_root + QStringLiteral("/data");
}

int PrivateServer::run(const QStringList& arguments) const
{
    return TestServers::runScript(QStringList{QStringLiteral("scripts/fbserver")} + arguments);
}

bool PrivateServer::start()
{
    if (!m_copied) {
        // A server left running from here by a crashed run holds the old files.
        if (run({QStringLiteral("stop"), m_root + QStringLiteral("/server")}) != 0)
            return false;
        const QDir demo(TestServers::root() + QStringLiteral("/data"));
        QDir(dataDir()).removeRecursively();
        QDir().mkpath(dataDir());
        const QStringList files = demo.entryList({QStringLiteral("*.fdb")}, QDir::Files);
        if (files.isEmpty())
            return false;
        for (const QString& file : files)
            if (!QFile::copy(demo.filePath(file), QDir(dataDir()).filePath(file)))
                return false;
        m_copied = true;
    }
    return run({QStringLiteral("start"), m_root + QStringLiteral("/server"), m_address,
                QString::number(port()), dataDir()}) == 0;
}

bool PrivateServer::stop()
{
    if (!m_copied)
        return true;
    return run({QStringLiteral("stop"), m_root + QStringLiteral("/server")}) == 0;
}

qint64 PrivateServer::pid() const
{
    QFile file(m_root + QStringLiteral("/server/firebird.pid"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const qint64 id = file.readAll().trimmed().toLongLong();
    return id > 0 && QFile::exists(QStringLiteral("/proc/%1").arg(id)) ? id : 0;
}

bool PrivateServer::running() const
{
    return pid() != 0;
}

ConnectionParams PrivateServer::params(const QString& database) const
{
    return TestServers::params(m_address, port(), database);
}

namespace
{
bool gfix(const QString& target, const QStringList& arguments)
{
    QProcess gfix;
    gfix.setProcessChannelMode(QProcess::ForwardedChannels);
    gfix.start(QStringLiteral("/usr/bin/gfix"),
               QStringList{QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                           QStringLiteral("-password"), QStringLiteral("plumtrees")} +
                   arguments + QStringList{target});
    return gfix.waitForFinished(60000) && gfix.exitStatus() == QProcess::NormalExit &&
           gfix.exitCode() == 0;
}
} // namespace

bool PrivateServer::shutDown(const QString& database) const
{
    return gfix(QStringLiteral("%1/%2:%3").arg(m_address).arg(port()).arg(database),
                {QStringLiteral("-shut"), QStringLiteral("full"), QStringLiteral("-force"),
                 QStringLiteral("0")});
}

bool PrivateServer::bringOnline(const QString& database) const
{
    return gfix(QStringLiteral("%1/%2:%3").arg(m_address).arg(port()).arg(database),
                {QStringLiteral("-online")});
}
