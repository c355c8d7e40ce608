#pragma once

#include <QByteArray>
#include <QStringList>
#include <QVariant>
#include <QVector>

// Rows of a stock look-up under the grid's column titles. Values keep their database type:
// Decimal, integers and doubles are numbers, QString is text, a null QVariant is NULL.
struct LookupTable {
    QStringList titles;
    QVector<QVector<QVariant>> rows;
};

// The three output forms: text in UTF-8, numbers with '.' and no thousands separators.
QByteArray tableText(const LookupTable& table); // aligned columns for reading
QByteArray csvText(const LookupTable& table);   // RFC 4180, a header line of titles
QByteArray jsonText(const LookupTable& table);  // an array of objects keyed by title
