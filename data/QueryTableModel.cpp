#include "data/QueryTableModel.h"

#include "data/DateRules.h"
#include "data/DbError.h"
#include "data/Decimal.h"
#include "data/FbQuery.h"
#include "data/NumberFormat.h"

#include <QDateTime>
#include <QLocale>

QueryTableModel::QueryTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void QueryTableModel::setQuery(FbQuery* query)
{
    if (m_query == query)
        return;
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (m_query) {
        connect(m_query, &FbQuery::opened, this, &QueryTableModel::reset);
        connect(m_query, &FbQuery::closed, this, &QueryTableModel::reset);
        connect(m_query, &FbQuery::rowsFetched, this, &QueryTableModel::onRowsFetched);
        connect(m_query, &FbQuery::rowChanged, this, [this](int row) {
            if (row < m_rows)
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        });
        connect(m_query, &QObject::destroyed, this, &QueryTableModel::reset);
    }
    reset();
}

void QueryTableModel::setColumns(const QVector<Column>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
    reset();
}

void QueryTableModel::setColumn(int index, const Column& column)
{
    if (index < 0 || index >= m_columns.size())
        return;
    m_columns[index] = column;
    if (index < m_fieldOf.size())
        m_fieldOf[index] = m_query ? m_query->fieldIndex(column.field) : -1;
    emit headerDataChanged(Qt::Horizontal, index, index);
    if (m_rows > 0)
        emit dataChanged(this->index(0, index), this->index(m_rows - 1, index));
}

QString QueryTableModel::displayText(const QVariant& v, const QString& pattern)
{
    if (v.isNull())
        return QString();
    if (!pattern.isEmpty()) {
        if (v.metaType() == QMetaType::fromType<Decimal>()) {
            const Decimal d = v.value<Decimal>();
            return formatDecimal(pattern, d.units, d.scale, QLocale());
        }
        return formatFloat(pattern, v.toDouble(), QLocale());
    }
    if (v.metaType() == QMetaType::fromType<Decimal>()) {
        // Unformatted numbers show as a plain number would: no trailing zeros.
        QString text = v.value<Decimal>().toString();
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
            text.replace(QLatin1Char('.'), QLocale().decimalPoint());
        }
        return text;
    }
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return shortDate(v.toDate());
    case QMetaType::QDateTime:
        return shortDate(v.toDate()) + QLatin1Char(' ') +
               v.toDateTime().time().toString(QLatin1String(kTimeFormat));
    case QMetaType::QTime:
        return v.toTime().toString(QLatin1String(kTimeFormat));
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

void QueryTableModel::reset()
{
    // The first screenful comes at once; the view asks for the rest as it scrolls.
    if (m_query && m_query->isActive() && !m_query->allFetched() &&
        m_query->fetchedRows() < kRowsPerFetch) {
        m_resetting = true;
        try {
            m_query->fetchMore(kRowsPerFetch - m_query->fetchedRows());
        } catch (const DbError& e) {
            emit fetchFailed(e.message());
        }
        m_resetting = false;
    }
    beginResetModel();
    const bool active = m_query && m_query->isActive();
    m_rows = active ? m_query->fetchedRows() : 0;
    m_fieldOf.clear();
    const int cols = columnCount();
    for (int c = 0; c < cols; ++c) {
        if (m_columns.isEmpty())
            m_fieldOf << c;
        else
            m_fieldOf << (active ? m_query->fieldIndex(m_columns[c].field) : -1);
    }
    endResetModel();
}

void QueryTableModel::onRowsFetched(int, int last)
{
    if (m_resetting || last < m_rows)
        return;
    beginInsertRows({}, m_rows, last);
    m_rows = last + 1;
    endInsertRows();
}

int QueryTableModel::fieldColumn(int column) const
{
    return column >= 0 && column < m_fieldOf.size() ? m_fieldOf[column] : -1;
}

int QueryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int QueryTableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    if (!m_columns.isEmpty())
        return int(m_columns.size());
    return m_query && m_query->isActive() ? m_query->fieldCount() : 0;
}

QVariant QueryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_query || index.row() >= m_rows)
        return {};
    const int field = fieldColumn(index.column());
    if (field < 0)
        return {};
    if (role == Qt::DisplayRole)
        return displayText(m_query->value(index.row(), field), m_query->displayFormat(field));
    if (role == Qt::TextAlignmentRole) {
        const QVariant v = m_query->value(index.row(), field);
        const bool numeric = v.canConvert<double>() && v.metaType().id() != QMetaType::QString;
        return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (!m_columns.isEmpty())
        return section < m_columns.size() ? QVariant(m_columns[section].title) : QVariant();
    return m_query ? QVariant(m_query->fieldNames().value(section)) : QVariant();
}

bool QueryTableModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_query && m_query->isActive() && !m_query->allFetched();
}

void QueryTableModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    try {
        m_query->fetchMore(kRowsPerFetch);
    } catch (const DbError& e) {
        emit fetchFailed(e.message());
    }
}
