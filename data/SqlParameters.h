#pragma once

#include <QString>
#include <QStringList>

// Turns ":NAME" parameters into the positional "?" markers of the client API. Markers inside
// quoted literals, quoted identifiers and comments are left alone.
struct ParsedSql {
    QString text;      // with every :NAME replaced by ?
    QStringList names; // one per marker, upper-case, in order (a name may repeat)
};

ParsedSql parseNamedParameters(const QString& sql);
