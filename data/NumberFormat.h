#pragma once

#include <QLocale>
#include <QString>

// Numeric display patterns such as "#,#0.00;(#,#0.00);#,#0.00 ": up to three sections for
// positive, negative and zero values. In a section "0" is a digit always shown, "#" a digit
// shown when significant, the first "." the decimal point, any "," asks for thousands
// separators, text in '...' or "..." and every other character is kept as it stands.
// A negative value without a negative section gets a leading "-"; a value that rounds to
// zero takes the zero section when there is one. Rounding is half away from zero. The
// separators are the locale's. Exponent notation is not supported.
QString formatFloat(const QString& pattern, double value, const QLocale& locale);

// The same for the exact value units / 10^scale, for amounts beyond a double's precision.
QString formatDecimal(const QString& pattern, qint64 units, int scale, const QLocale& locale);

// Money as whole numbers: "." between thousands, negatives in parentheses, zero as "0",
// whatever the locale ("1.500.000", "(1.500)").
QString formatuang(double value);

// printf-like report formats: "%W.Pn" (thousands separators, P decimals), "%W.Pf" (no
// separators), "%g" (shortest text of up to 15 significant digits, exponent when needed),
// with optional text around the one specifier, "-" to pad on the right and "%%" for "%".
// W pads to at least W characters. A format without a specifier is returned as it stands.
QString formatReportNumber(const QString& format, double value, const QLocale& locale);
QString formatReportDecimal(const QString& format, qint64 units, int scale, const QLocale& locale);
