// vidarera-stock: the stock check of Vid Arera on the command line.
#include "app/Program.h"
#include "app/ServerSettings.h"
#include "cli/LookupOptions.h"
#include "cli/StockLookup.h"
#include "data/ConnectionSet.h"
#include "data/DbError.h"
#include "platform/ConfigLocation.h"
#include "platform/IcmpPinger.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <cstdio>

namespace
{
enum ExitStatus { kRows = 0, kNoRows = 1, kBadUsage = 2, kDatabaseError = 3 };

void print(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void complain(const QString& text)
{
    print(stderr, (QStringLiteral("vidarera-stock: ") + text + QLatin1Char('\n')).toUtf8());
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The program's name, so that both find the same Config.ini in the user's folder.
    nameApplication();
    QCoreApplication::setApplicationVersion(QStringLiteral(VID_VERSION));

    LookupOptions options;
    const QString error = parseLookupOptions(app.arguments().mid(1), &options);
    if (!error.isEmpty()) {
        complain(error + QStringLiteral(" (lihat --help)"));
        return kBadUsage;
    }
    if (options.help) {
        print(stdout, lookupUsage().toUtf8());
        return kRows;
    }
    if (options.version) {
        print(stdout, QByteArrayLiteral("vidarera-stock " VID_VERSION "\n"));
        return kRows;
    }

    const IniFile config(
        locateConfigFile(QCoreApplication::applicationDirPath(), userConfigFolder()));
    ConnectionSet connections;
    IcmpPinger pinger;
    LookupTable table;
    try {
        table = StockLookup(connections, pinger).run(options, ServerSettings::read(config));
    } catch (const UnknownUser& e) {
        complain(QString::fromStdString(e.what()));
        return kBadUsage;
    } catch (const DbError& e) {
        complain(e.message());
        return kDatabaseError;
    }
    switch (options.format) {
    case OutputFormat::Table:
        print(stdout, tableText(table));
        break;
    case OutputFormat::Csv:
        print(stdout, csvText(table));
        break;
    case OutputFormat::Json:
        print(stdout, jsonText(table));
        break;
    }
    return table.rows.isEmpty() ? kNoRows : kRows;
}
