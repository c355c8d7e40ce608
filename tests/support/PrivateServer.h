#pragma once

#include "data/FbConnection.h"

#include <QString>

// A Firebird server of one test program's own, on a loopback address beside the build's LAN
// test server, with a fresh copy of the demo databases. A test may stop and start it at any
// moment without disturbing the servers other tests share. Its folder is named by the
// address, so a server left by a crashed run is stopped by the next start.
class PrivateServer
{
public:
    // `last`: the last number of the address (see TestServers::spareAddress).
    explicit PrivateServer(int last);
    ~PrivateServer();

    // Copies the databases (first call only) and starts the server; true when it runs.
    bool start();
    // Stops the server by its process id; true when it is gone.
    bool stop();
    bool running() const;
    // The server's process id while it runs, else 0.
    qint64 pid() const;

    // One database shut down (attachments refused and cut) and brought back, the server
    // running on; `database` is the program's path of it.
    bool shutDown(const QString& database) const;
    bool bringOnline(const QString& database) const;

    QString address() const { return m_address; }
    static constexpr int port() { return 3051; }
    QString dataDir() const;
    // A connection to one of its databases, by the program's path of it.
    ConnectionParams params(const QString& database) const;

private:
    int run(const QStringList& arguments) const;
    QString m_address;
    QString m_root;
    bool m_copied = false;
};
