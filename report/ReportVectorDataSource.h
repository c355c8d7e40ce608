#pragma once

#include "report/ReportDataSource.h"

#include <QHash>
#include <QList>
#include <QVariantMap>

// Rows held in memory, for tests, benchmarks and small computed data sets.
class VectorDataSource : public ReportDataSource
{
public:
    VectorDataSource() = default;
    explicit VectorDataSource(QList<QVariantMap> rows);

    void setRows(QList<QVariantMap> rows);
    const QList<QVariantMap>& rows() const { return m_rows; }

    void first() override;
    bool eof() const override;
    void next() override;
    QVariant value(const QString& field) const override;
    bool hasField(const QString& field) const override;

private:
    QList<QVariantMap> m_rows;
    // Lower-case field name to the key as the rows spell it.
    QHash<QString, QString> m_keys;
    qsizetype m_row = 0;
};
