#pragma once

#include <QString>
#include <QStringList>

// Statements of the sales achievement window over a company database. Each company query
// binds the period as FIRST and LAST (dates, both ends included); the single-salesman check
// binds the name as nmsalesman.
inline constexpr char kPeriodFirstParam[] = "FIRST";
inline constexpr char kPeriodLastParam[] = "LAST";
inline constexpr char kSalesmanParam[] = "nmsalesman";

// One row per salesman with invoices in the period (IDR only, "Kantor" never counted):
// CURRENCYNAME, FIRSTNAME, JOBTITLE, BUSINESSPHONE, INVAMTBEFORETAX and TOTRETUR, the
// salesman's returns over all dates. Ends inside its where clause.
QStringList salesmanLevelTemplate();
// The same sources summed per JOBTITLE: INVAMTBEFORETAX and TOTRETUR. Ends inside its where
// clause and has no group by of its own.
QStringList divisionLevelTemplate();
// One row per invoice of the period: PERSONNAME, INVOICENO, INVOICEDATE, INVAMTBEFORETAX,
// PAID2, RETURNAMOUNT, OWING, SALESMANNAME. Ends inside its where clause.
QStringList invoiceLevelTemplate();

// "S.FIRSTNAME in (...)" alternatives for the names, as one bracketed condition; no lines
// for an empty list.
QStringList salesmanCondition(const QStringList& names);

// A team's totals per division, the division that sorts last first.
QStringList teamDivisionStatement(const QStringList& members);
// The salesmen named (all of them for an empty list), one row each, by name.
QStringList rankingStatement(const QStringList& names);
// One salesman by name (parameter nmsalesman).
QStringList singleSalesmanStatement();
// The invoices of one salesman (parameter nmsalesman), or of everyone, by salesman name.
QStringList invoiceDetailStatement(bool allSalesmen);
