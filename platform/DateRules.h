#pragma once

#include <QDate>
#include <QString>

// The program's one date format, "dd/MM/yyyy"; every date it shows or reads uses it.
inline constexpr char kShortDateFormat[] = "dd/MM/yyyy";
// The program's time of day, hours to seconds.
inline constexpr char kTimeFormat[] = "HH:mm:ss";

// Cut-off date of the stock figures: the month's last day when today is that day, else the
// day before it. Empty for an invalid date.
QDate stockReferenceDate(QDate today);

// "dd/MM/yyyy"; empty for an invalid date.
QString shortDate(QDate date);

// The date as month/day/year ("03/30/2025"), the form the company databases read in
// statement text; empty for an invalid date.
QString monthDayYear(QDate date);
