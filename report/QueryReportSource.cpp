#include "report/QueryReportSource.h"

#include "data/FbQuery.h"

QueryReportSource::QueryReportSource(FbQuery& query) : m_query(query) {}

void QueryReportSource::first()
{
    if (!m_query.isActive())
        m_query.open();
    m_query.first();
}

bool QueryReportSource::eof() const
{
    return !m_query.isActive() || m_query.eof();
}

void QueryReportSource::next()
{
    m_query.next();
}

QVariant QueryReportSource::value(const QString& field) const
{
    if (eof())
        return {};
    return m_query.value(m_query.currentRow(), m_query.fieldIndex(field));
}

bool QueryReportSource::hasField(const QString& field) const
{
    return m_query.fieldIndex(field) >= 0;
}
