#pragma once

#include "data/LoginState.h"

#include <QString>
#include <QStringList>

// Closing lines of the two receivables statements.
inline constexpr char kSummaryClosingLine[] = "order by L.CurrencyName";
inline constexpr char kDetailClosingLine[] =
    "group by L.PERSONNAME, L.SALESMANNAME, L.TYPENAME order by L.SALESMANNAME";

// The receivables summary (per salesman and company) and detail (per customer) statements up
// to inside their where clause; the sales filter lines complete them.
QStringList summaryStatementStart();
QStringList detailStatementStart();

// Members of the sales teams named by dept1..dept3 (rows: INFO1 team, INFO2 salesman).
QString teamLookupStatement(const SalesScope& scope);

struct FilterLines {
    QStringList summary, detail;
};

// The lines that restrict the two statements to the salesmen the user may see, closing lines
// included. teamMembers are the INFO2 values of the team lookup in the order returned.
FilterLines salesFilterLines(const SalesScope& scope, const QStringList& teamMembers);

// "column in ('name')" alternatives for a list of names, bracketed as one condition opened by
// "and (" on the first line and closed on the last; no lines for an empty list.
QStringList memberCondition(const QStringList& names, const QString& column);
