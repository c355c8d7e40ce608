#include "data/NumberFormat.h"

#include <cmath>
#include <optional>

namespace
{

// A decimal value held as digit texts, so rounding happens on decimal digits and never on
// binary fractions.
struct Digits {
    bool negative = false;
    QString whole; // no leading zeros; empty for a zero whole part
    QString fraction;

    bool isZero() const
    {
        if (!whole.isEmpty())
            return false;
        for (const QChar c : fraction)
            if (c != QLatin1Char('0'))
                return false;
        return true;
    }
};

struct Separators {
    QString group, point;
};

Separators separatorsOf(const QLocale& locale)
{
    return {locale.groupSeparator(), locale.decimalPoint()};
}

void stripLeadingZeros(QString& digits)
{
    qsizetype n = 0;
    while (n < digits.size() && digits.at(n) == QLatin1Char('0'))
        ++n;
    digits.remove(0, n);
}

// value = mantissa[0].mantissa[1..] x 10^exponent
Digits fromMantissa(bool negative, const QString& mantissa, int exponent)
{
    Digits d;
    d.negative = negative;
    const int point = exponent + 1;
    if (point <= 0) {
        d.fraction = QString(-point, QLatin1Char('0')) + mantissa;
    } else if (point >= mantissa.size()) {
        d.whole = mantissa + QString(point - mantissa.size(), QLatin1Char('0'));
    } else {
        d.whole = mantissa.left(point);
        d.fraction = mantissa.mid(point);
    }
    stripLeadingZeros(d.whole);
    if (d.isZero())
        d.negative = false;
    return d;
}

// Fifteen significant digits, as much as a double reliably carries; this also turns 1.005
// into the 1.005 its writer meant, which then rounds up.
Digits fromDouble(double value)
{
    const QString text = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    QString mantissa = text.left(e);
    mantissa.remove(QLatin1Char('.'));
    return fromMantissa(value < 0, mantissa, text.mid(e + 1).toInt());
}

Digits fromUnits(qint64 units, int scale)
{
    const quint64 magnitude = units < 0 ? 0 - quint64(units) : quint64(units);
    const QString digits = QString::number(magnitude);
    return fromMantissa(units < 0, digits, int(digits.size()) - 1 - scale);
}

// The first `keep` digits, rounded half away from zero on the rest; one digit longer when the
// rounding carries out of the first digit.
QString roundDigits(const QString& digits, qsizetype keep)
{
    QString result = digits.left(keep);
    if (digits.size() > keep && digits.at(keep) >= QLatin1Char('5')) {
        qsizetype i = result.size() - 1;
        while (i >= 0 && result.at(i) == QLatin1Char('9'))
            result[i--] = QLatin1Char('0');
        if (i < 0)
            result.prepend(QLatin1Char('1'));
        else
            result[i] = QChar(result.at(i).unicode() + 1);
    }
    return result.leftJustified(keep, QLatin1Char('0'));
}

Digits rounded(const Digits& d, int decimals)
{
    const QString all = roundDigits(d.whole + d.fraction, d.whole.size() + decimals);
    Digits r;
    r.whole = all.left(all.size() - decimals);
    r.fraction = all.right(decimals);
    stripLeadingZeros(r.whole);
    r.negative = d.negative && !r.isZero();
    return r;
}

QString grouped(const QString& whole, const QString& group)
{
    QString out;
    for (qsizetype p = 0; p < whole.size(); ++p) {
        out += whole.at(p);
        const qsizetype remaining = whole.size() - 1 - p;
        if (remaining > 0 && remaining % 3 == 0)
            out += group;
    }
    return out;
}

// ---- patterns ----

struct Section {
    QString text;
    int wholePlaceholders = 0;
    int minWhole = 0;
    int minFraction = 0;
    int maxFraction = 0;
    bool thousands = false;
};

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

QStringList splitSections(const QString& pattern)
{
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections += QString();
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

Section analyse(const QString& text)
{
    Section s;
    s.text = text;
    QChar quote;
    bool afterPoint = false;
    int firstZero = -1;
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (isPlaceholder(c)) {
            if (afterPoint) {
                ++s.maxFraction;
                if (c == QLatin1Char('0'))
                    s.minFraction = s.maxFraction;
            } else {
                if (c == QLatin1Char('0') && firstZero < 0)
                    firstZero = s.wholePlaceholders;
                ++s.wholePlaceholders;
            }
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            s.thousands = true;
        }
    }
    s.minWhole = firstZero < 0 ? 0 : s.wholePlaceholders - firstZero;
    return s;
}

QString render(const Section& s, const Digits& value, const Separators& sep)
{
    QString whole = value.whole;
    if (whole.size() < s.minWhole)
        whole = whole.rightJustified(s.minWhole, QLatin1Char('0'));
    QString fraction = value.fraction;
    while (fraction.size() > s.minFraction && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString out;
    const auto emitWhole = [&](qsizetype from, qsizetype to) {
        for (qsizetype p = from; p < to; ++p) {
            out += whole.at(p);
            const qsizetype remaining = whole.size() - 1 - p;
            if (s.thousands && remaining > 0 && remaining % 3 == 0)
                out += sep.group;
        }
    };
    const qsizetype extra = whole.size() - s.wholePlaceholders;
    int wholeSeen = 0;
    int fractionSeen = 0;
    bool afterPoint = false;
    QChar quote;
    for (const QChar c : s.text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
        } else if (isQuote(c)) {
            quote = c;
        } else if (isPlaceholder(c) && !afterPoint) {
            // Digits beyond the placeholders all go out at the first one.
            if (wholeSeen == 0 && extra > 0)
                emitWhole(0, extra);
            const qsizetype p = extra + wholeSeen;
            if (p >= 0)
                emitWhole(p, p + 1);
            ++wholeSeen;
        } else if (isPlaceholder(c)) {
            if (fractionSeen < fraction.size())
                out += fraction.at(fractionSeen);
            ++fractionSeen;
        } else if (c == QLatin1Char('.') && !afterPoint) {
            if (s.wholePlaceholders == 0)
                emitWhole(0, whole.size());
            afterPoint = true;
            if (!fraction.isEmpty())
                out += sep.point;
        } else if (c != QLatin1Char(',')) {
            out += c;
        }
    }
    return out;
}

// Shortest text with at most `precision` significant digits; exponent form when the value is
// too large for that many digits or smaller than 0.00001.
QString general(const Digits& d, int precision, const QString& point)
{
    const QString all = d.whole + d.fraction;
    qsizetype first = 0;
    while (first < all.size() && all.at(first) == QLatin1Char('0'))
        ++first;
    if (first == all.size())
        return QStringLiteral("0");
    qsizetype exponent = d.whole.size() - 1 - first;
    QString significant = roundDigits(all.mid(first), precision);
    if (significant.size() > precision) {
        ++exponent;
        significant.chop(1);
    }
    while (significant.endsWith(QLatin1Char('0')))
        significant.chop(1);

    QString out = d.negative ? QStringLiteral("-") : QString();
    if (exponent + 1 <= precision && exponent >= -5) {
        QString whole, fraction;
        if (exponent >= 0) {
            whole = significant.left(exponent + 1).leftJustified(exponent + 1, QLatin1Char('0'));
            fraction = significant.mid(exponent + 1);
        } else {
            whole = QStringLiteral("0");
            fraction = QString(-exponent - 1, QLatin1Char('0')) + significant;
        }
        out += whole;
        if (!fraction.isEmpty())
            out += point + fraction;
    } else {
        out += significant.at(0);
        if (significant.size() > 1)
            out += point + significant.mid(1);
        out += QLatin1Char('E') + QString::number(exponent);
    }
    return out;
}

QString formatPattern(const QString& pattern, const Digits& value, const Separators& sep)
{
    if (pattern.isEmpty())
        return general(value, 15, sep.point);
    const QStringList texts = splitSections(pattern);
    const Section positive = analyse(texts.at(0));
    std::optional<Section> negative, zero;
    if (texts.size() > 1 && !texts.at(1).isEmpty())
        negative = analyse(texts.at(1));
    if (texts.size() > 2 && !texts.at(2).isEmpty())
        zero = analyse(texts.at(2));

    const Section& chosen = value.negative && negative ? *negative : positive;
    const Digits r = rounded(value, chosen.maxFraction);
    if (r.isZero()) {
        if (zero)
            return render(*zero, rounded(value, zero->maxFraction), sep);
        return render(positive, rounded(value, positive.maxFraction), sep);
    }
    if (r.negative && !negative)
        return QLatin1Char('-') + render(positive, r, sep);
    return render(chosen, r, sep);
}

std::optional<QString> nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    return std::nullopt;
}

// ---- report formats ----

QString formatSpecifier(QChar type, int precision, const Digits& value, const Separators& sep)
{
    if (type == QLatin1Char('g'))
        return general(value, precision <= 0 || precision > 15 ? 15 : precision, sep.point);
    const int decimals = precision < 0 ? 2 : precision;
    const Digits r = rounded(value, decimals);
    QString whole = r.whole.isEmpty() ? QStringLiteral("0") : r.whole;
    if (type == QLatin1Char('n'))
        whole = grouped(whole, sep.group);
    QString out = r.negative ? QLatin1Char('-') + whole : whole;
    if (decimals > 0)
        out += sep.point + r.fraction;
    return out;
}

QString formatReport(const QString& format, const Digits& value, const Separators& sep)
{
    QString out;
    bool done = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('%') && i + 1 < format.size() &&
            format.at(i + 1) == QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        if (c != QLatin1Char('%') || done) {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        const bool left = j < format.size() && format.at(j) == QLatin1Char('-');
        if (left)
            ++j;
        int width = 0;
        while (j < format.size() && format.at(j).isDigit())
            width = width * 10 + format.at(j++).digitValue();
        int precision = -1;
        if (j < format.size() && format.at(j) == QLatin1Char('.')) {
            precision = 0;
            ++j;
            while (j < format.size() && format.at(j).isDigit())
                precision = precision * 10 + format.at(j++).digitValue();
        }
        const QChar type = j < format.size() ? format.at(j).toLower() : QChar();
        if (type != QLatin1Char('n') && type != QLatin1Char('f') && type != QLatin1Char('g')) {
            out += c;
            continue;
        }
        const QString text = formatSpecifier(type, precision, value, sep);
        out += left ? text.leftJustified(width) : text.rightJustified(width);
        i = j;
        done = true;
    }
    return out;
}

} // namespace

QString formatFloat(const QString& pattern, double value, const QLocale& locale)
{
    if (const auto text = nonFinite(value))
        return *text;
    return formatPattern(pattern, fromDouble(value), separatorsOf(locale));
}

QString formatDecimal(const QString& pattern, qint64 units, int scale, const QLocale& locale)
{
    return formatPattern(pattern, fromUnits(units, scale), separatorsOf(locale));
}

QString formatuang(double value)
{
    if (const auto text = nonFinite(value))
        return *text;
    return formatPattern(QStringLiteral("#,#0.;(#,#0.);0"), fromDouble(value),
                         {QStringLiteral("."), QStringLiteral(",")});
}

QString formatReportNumber(const QString& format, double value, const QLocale& locale)
{
    if (const auto text = nonFinite(value))
        return *text;
    return formatReport(format, fromDouble(value), separatorsOf(locale));
}

QString formatReportDecimal(const QString& format, qint64 units, int scale, const QLocale& locale)
{
    return formatReport(format, fromUnits(units, scale), separatorsOf(locale));
}
