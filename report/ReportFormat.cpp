#include "report/ReportFormat.h"

#include "data/DateRules.h"
#include "data/NumberFormat.h"

#include <QRegularExpression>

namespace
{

const QString generalFormat = QStringLiteral("%g");
const QString timeFormat = QLatin1String(kTimeFormat);

QString quotedLiteral(const QString& text)
{
    if (text.isEmpty())
        return {};
    QString plain = text;
    plain.replace(QLatin1String("%%"), QLatin1String("%"));
    plain.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + plain + QLatin1Char('"');
}

// Qt's date pattern letters in a workbook's syntax: months and minutes are both "m" there.
QString workbookDatePattern(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        switch (c.unicode()) {
        case 'M':
            out += QLatin1Char('m');
            break;
        case 'H':
            out += QLatin1Char('h');
            break;
        case 'A':
        case 'a':
            if (!out.endsWith(QLatin1String("AM/PM")))
                out += QLatin1String("AM/PM");
            break;
        case 'P':
        case 'p':
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

ReportFormat::ReportFormat(const QString& text)
    : m_text(text), m_numeric(text.contains(QLatin1Char('%')))
{
}

QString ReportFormat::number(double value, const QLocale& locale) const
{
    return formatReportNumber(m_numeric ? m_text : generalFormat, value, locale);
}

QString ReportFormat::date(const QDateTime& value, bool withTime, const QString& dateFormat) const
{
    if (!m_text.isEmpty() && !m_numeric)
        return value.toString(m_text);
    if (withTime)
        return value.toString(dateFormat + QLatin1Char(' ') + timeFormat);
    return value.date().toString(dateFormat);
}

QString ReportFormat::workbookNumberFormat() const
{
    static const QRegularExpression specifier(QStringLiteral("%-?(\\d*)(?:\\.(\\d*))?([nfgNFG])"));
    if (!m_numeric)
        return QStringLiteral("General");
    const QRegularExpressionMatch match = specifier.match(m_text);
    if (!match.hasMatch())
        return QStringLiteral("General");
    const QChar type = match.captured(3).at(0).toLower();
    QString body;
    if (type == QLatin1Char('g')) {
        body = QStringLiteral("General");
    } else {
        const int decimals = match.captured(2).isNull() ? 2 : match.captured(2).toInt();
        body = type == QLatin1Char('n') ? QStringLiteral("#,##0") : QStringLiteral("0");
        if (decimals > 0)
            body += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    }
    const QString before = quotedLiteral(m_text.left(match.capturedStart()));
    const QString after = quotedLiteral(m_text.mid(match.capturedEnd()));
    if (before.isEmpty() && after.isEmpty())
        return body;
    return before + body + after;
}

QString ReportFormat::workbookDateFormat(const QString& dateFormat, bool withTime) const
{
    if (!m_text.isEmpty() && !m_numeric)
        return workbookDatePattern(m_text);
    if (withTime)
        return workbookDatePattern(dateFormat + QLatin1Char(' ') + timeFormat);
    return workbookDatePattern(dateFormat);
}
