#pragma once

#include "stock/StockStatements.h"
#include "stock/StockViewRules.h"

#include <QString>
#include <QStringList>

enum class OutputFormat { Table, Csv, Json };

// What vidarera-stock is asked for on its command line.
struct LookupOptions {
    SearchField field = SearchField::Description;
    QString text;
    StockSource source = StockSource::AllCompanies;
    QString codeClass = kCodeClass3579;
    QString sortBy = kSortByDescription;
    QString nik; // empty: no user, so no price columns
    OutputFormat format = OutputFormat::Table;
    QString server; // empty: the servers of Config.ini, chosen as the program chooses them
    int serverPort = 0;
    bool help = false;
    bool version = false;
};

// Reads the arguments that follow the program name. Returns the reason when they are not a
// valid request, else empty text.
QString parseLookupOptions(const QStringList& arguments, LookupOptions* options);

// The --help text.
QString lookupUsage();
