#pragma once

#include <QVariant>

// How the report engine reads a field or expression value. Numbers are any numeric type or a
// registered type convertible to double (such as the exact decimals of the database layer);
// text that merely looks like a number stays text.
enum class ReportValueKind { Empty, Text, Number, Date, DateTime };

ReportValueKind reportValueKind(const QVariant& value);
// The number in a value for arithmetic: empty values and text that is no number count as 0.
double reportNumber(const QVariant& value);
// Days since 1899-12-30 with the time as a fraction, as workbooks keep dates.
double reportSerialDate(const QDateTime& value);
