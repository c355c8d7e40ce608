#pragma once

#include <QString>
#include <QVariant>

// A forward-only cursor over the rows a report prints. Field names are matched without
// regard to case; an unknown field, or any field while at end of data, reads as an invalid
// QVariant.
class ReportDataSource
{
public:
    virtual ~ReportDataSource() = default;
    virtual void first() = 0;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    virtual QVariant value(const QString& field) const = 0;
    virtual bool hasField(const QString& field) const = 0;
};
