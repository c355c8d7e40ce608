#pragma once

#include <QString>
#include <QVariant>

// What an expression reads while a report is prepared. Names arrive in lower case.
class ReportExpressionContext
{
public:
    virtual ~ReportExpressionContext() = default;
    virtual QVariant field(const QString& dataSet, const QString& field) const = 0;
    // Unqualified names: the band's named values and the built-in Date, Time and Page.
    virtual QVariant name(const QString& name) const = 0;
    // The running total of one SUM(...) of the layout, identified by its key.
    virtual double aggregate(const void* key) const = 0;
};
