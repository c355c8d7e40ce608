#pragma once

#include "data/FbConnection.h"

#include <QString>

// The private Firebird servers that the test run starts (see tests/CMakeLists.txt).
namespace TestServers
{

QString root();
QString lan();        // port 3051
QString headOffice(); // port 3015
QString fallback();   // port 3015
bool available();     // false when the environment names no servers
// A further loopback address beside the LAN server's (its last number replaced), for a
// server a test starts itself: each build's test addresses keep such servers apart too.
QString spareAddress(int last);
// A folder where the LAN test server may create scratch databases.
QString scratchDir();

// Connection to a database of a test server, as the program would make it.
ConnectionParams params(const QString& host, int port, const QString& database);
ConnectionParams lanControl();

// Company database paths on the test servers, with the suffixes of the application record.
struct Suffixes {
    QString krt, soka, kw;
};
Suffixes suffixes();

// Runs a shell script of the repository (scripts/...) and returns its exit code.
int runScript(const QStringList& arguments);

// A file of the repository, by its path from the top (db/erp-tables.sql).
QString sourceFile(const QString& relativePath);

// Runs isql (stop at the first error) on a database of a server: the SQL of a file when
// sqlFileOrText names one, otherwise the text itself. Returns the exit code; *output gets
// what isql wrote to either channel.
int runIsql(const QString& host, int port, const QString& database, const QString& sqlFileOrText,
            QString* output = nullptr);

} // namespace TestServers
