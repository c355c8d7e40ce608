#pragma once

#include <QMetaType>
#include <QString>
#include <cstdint>

// An exact scaled integer, as NUMERIC and DECIMAL columns hold it: value = units / 10^scale.
// Kept apart from double so money reaches the screen without binary rounding.
struct Decimal {
    qint64 units = 0;
    int scale = 0;

    static Decimal fromString(const QString& text, bool* ok = nullptr);
    // Rounds half away from zero to the given number of decimals.
    Decimal rounded(int decimals) const;
    double toDouble() const;
    // Plain text with '.' as separator and exactly `scale` decimals, e.g. "-1234.50".
    QString toString() const;
    int compare(const Decimal& other) const;
    bool operator==(const Decimal& other) const { return compare(other) == 0; }
};

Q_DECLARE_METATYPE(Decimal)
