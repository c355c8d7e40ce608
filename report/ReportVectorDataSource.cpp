#include "report/ReportVectorDataSource.h"

VectorDataSource::VectorDataSource(QList<QVariantMap> rows)
{
    setRows(std::move(rows));
}

void VectorDataSource::setRows(QList<QVariantMap> rows)
{
    m_rows = std::move(rows);
    m_keys.clear();
    for (const QVariantMap& row : std::as_const(m_rows))
        for (auto it = row.keyBegin(); it != row.keyEnd(); ++it)
            m_keys.insert(it->toLower(), *it);
    m_row = 0;
}

void VectorDataSource::first()
{
    m_row = 0;
}

bool VectorDataSource::eof() const
{
    return m_row >= m_rows.size();
}

void VectorDataSource::next()
{
    if (m_row < m_rows.size())
        ++m_row;
}

QVariant VectorDataSource::value(const QString& field) const
{
    if (eof())
        return {};
    const QVariantMap& row = m_rows.at(m_row);
    const auto key = m_keys.constFind(field.toLower());
    if (key == m_keys.constEnd())
        return {};
    const auto found = row.constFind(*key);
    if (found != row.constEnd())
        return *found;
    // Rows may spell a name differently from one another.
    for (auto it = row.constBegin(); it != row.constEnd(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return *it;
    return {};
}

bool VectorDataSource::hasField(const QString& field) const
{
    return m_keys.contains(field.toLower());
}
