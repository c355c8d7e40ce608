#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// A cell's display format: a number format with one printf-like specifier ("%2.2n", "%g",
// "%.0f"), or a date pattern ("dd/MM/yyyy"). Without one, numbers show in the general
// form and dates in the report's short date format.
class ReportFormat
{
public:
    ReportFormat() = default;
    explicit ReportFormat(const QString& text);

    const QString& text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    bool isNumeric() const { return m_numeric; }

    QString number(double value, const QLocale& locale) const;
    QString date(const QDateTime& value, bool withTime, const QString& dateFormat) const;

    // The same format in a workbook's number-format syntax ("#,##0.00", "General", "dd/mm/yyyy").
    QString workbookNumberFormat() const;
    QString workbookDateFormat(const QString& dateFormat, bool withTime) const;

    bool operator==(const ReportFormat& other) const { return m_text == other.m_text; }

private:
    QString m_text;
    bool m_numeric = false;
};
