#pragma once

#include "report/ReportDataSource.h"

class FbQuery;

// A report's view of a query. The report walks the query's own cursor, so after a report
// the query stands at end of data and a grid on it shows its last row as current.
class QueryReportSource : public ReportDataSource
{
public:
    explicit QueryReportSource(FbQuery& query);

    FbQuery& query() const { return m_query; }

    // Opens a closed query with the statement it holds (throws DbError), then goes to the
    // first row.
    void first() override;
    bool eof() const override;
    void next() override; // throws DbError when the server fails while fetching
    // Values as the query holds them: exact decimals stay Decimal, nulls stay null.
    QVariant value(const QString& field) const override;
    bool hasField(const QString& field) const override;

private:
    FbQuery& m_query;
};
