#pragma once

#include <QDate>
#include <QString>

// The program's one date format, "dd/MM/yyyy"; every date it shows or reads uses it.
inline constexpr char kShortDateFormat[] = "dd/MM/yyyy";
// The program's time of day, hours to seconds.
inline constexpr char kTimeFormat[] = "HH:mm:ss";

// "dd/MM/yyyy"; empty for an invalid date.
QString shortDate(QDate date);

// The date as month/day/year ("03/30/2025"), the form the company databases read in
// statement text; empty for an invalid date.
QString monthDayYear(QDate date);
