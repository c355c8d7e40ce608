#include "data/Decimal.h"

#include <cstdlib>

namespace
{
qint64 pow10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Converters let QVariant::toDouble() and toString() work on a Decimal, which the
// report engine and the grids rely on without knowing the type.
const bool registered = [] {
    QMetaType::registerConverter<Decimal, double>(&Decimal::toDouble);
    QMetaType::registerConverter<Decimal, QString>(&Decimal::toString);
    return true;
}();
} // namespace

Decimal Decimal::fromString(const QString& text, bool* ok)
{
    Decimal d;
    QString t = text.trimmed();
    bool negative = t.startsWith(QLatin1Char('-'));
    if (negative || t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    const int dot = t.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? t : t.left(dot);
    const QString frac = dot < 0 ? QString() : t.mid(dot + 1);
    bool good = !t.isEmpty() && frac.size() <= 18;
    qint64 units = 0;
    for (const QChar c : whole + frac) {
        if (!c.isDigit() || units > (INT64_MAX - 9) / 10) {
            good = false;
            break;
        }
        units = units * 10 + c.digitValue();
    }
    if (ok)
        *ok = good;
    if (!good)
        return {};
    d.units = negative ? -units : units;
    d.scale = int(frac.size());
    return d;
}

Decimal Decimal::rounded(int decimals) const
{
    if (decimals >= scale) {
        Decimal d{units * pow10(decimals - scale), decimals};
        return d;
    }
    const qint64 div = pow10(scale - decimals);
    qint64 q = units / div;
    const qint64 r = units % div;
    if (std::llabs(r) * 2 >= div)
        q += units < 0 ? -1 : 1;
    return {q, decimals};
}

double Decimal::toDouble() const
{
    return double(units) / double(pow10(scale));
}

QString Decimal::toString() const
{
    QString digits = QString::number(std::llabs(units));
    if (units == INT64_MIN)
        digits = QStringLiteral("9223372036854775808");
    if (scale > 0) {
        digits = digits.rightJustified(scale + 1, QLatin1Char('0'));
        digits.insert(digits.size() - scale, QLatin1Char('.'));
    }
    return units < 0 ? QLatin1Char('-') + digits : digits;
}

int Decimal::compare(const Decimal& other) const
{
    const int s = qMax(scale, other.scale);
    const long double a = (long double)units * pow10(s - scale);
    const long double b = (long double)other.units * pow10(s - other.scale);
    return a < b ? -1 : (a > b ? 1 : 0);
}
