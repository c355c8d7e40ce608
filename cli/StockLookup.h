#pragma once

#include "cli/LookupOptions.h"
#include "cli/LookupTable.h"

#include <stdexcept>

class ConnectionSet;
class Pinger;
struct ServerSettings;

// A NIK that names no user the login would accept.
class UnknownUser : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The stock check of the main window without the window: the server chosen as the program
// chooses it (or the one named), the application record's company databases, the user's
// price right, and the very statements of the check, run one company after the other.
class StockLookup
{
public:
    StockLookup(ConnectionSet& connections, Pinger& pinger);

    // Throws DbError for a database failure and UnknownUser for an unknown NIK.
    LookupTable run(const LookupOptions& options, const ServerSettings& servers);

private:
    void connect(const LookupOptions& options, const ServerSettings& servers);
    bool priceRight(const QString& nik);
    void appendRows(StockSource source, const QString& suffix, const QString& company,
                    const StockFilters& filters, bool price, LookupTable& table);

    ConnectionSet& m_db;
    Pinger& m_pinger;
};
