#include "stock/StockGrid.h"

#include "data/DbError.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/WindowScaler.h"
#include "stock/StockStatements.h"

#include <QHeaderView>

StockGrid::StockGrid(const WindowScaler& scaler, QWidget* parent)
    : QTableView(parent), m_scaler(scaler), m_widths(kStockGridColumns),
      m_shown(kStockGridColumns, true)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(1);
    const QVector<GridColumnSpec> start = startColumns();
    for (int c = 0; c < kStockGridColumns; ++c)
        m_widths[c] = start[c].width;
}

void StockGrid::setSource(QueryTableModel* source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    setModel(source);
    // A reset may rebuild the header's sections; the grid's own column state wins.
    if (m_source)
        connect(m_source, &QAbstractItemModel::modelReset, this, &StockGrid::sourceReset);
    sourceReset();
}

void StockGrid::sourceReset()
{
    applyColumns();
    // The source may now show another query.
    FbQuery* query = m_source ? m_source->query() : nullptr;
    if (query != m_query) {
        if (m_query)
            disconnect(m_query, nullptr, this, nullptr);
        m_query = query;
        if (m_query)
            connect(m_query, &FbQuery::currentChanged, this, &StockGrid::followQueryLater);
    }
    followQueryLater();
}

void StockGrid::followQueryLater()
{
    // Once per turn of the event loop: a report walking thousands of records moves the
    // grid once, to where the walk ended.
    if (m_followPending)
        return;
    m_followPending = true;
    QMetaObject::invokeMethod(this, &StockGrid::followQuery, Qt::QueuedConnection);
}

void StockGrid::followQuery()
{
    m_followPending = false;
    if (!m_query || !m_query->isActive() || !model())
        return;
    const int row = m_query->currentRow();
    if (row < 0 || row >= model()->rowCount())
        return;
    m_following = true;
    setCurrentIndex(model()->index(row, qMax(0, currentIndex().column())));
    m_following = false;
}

void StockGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    // Only a move to another row moves the record: the grid following a query that ran
    // past its last record leaves it at end of data.
    if (m_following || !current.isValid() || !m_query || !m_query->isActive() ||
        current.row() == m_query->currentRow())
        return;
    try {
        m_query->setCurrentRow(current.row());
    } catch (const DbError&) {
        // The row is on the grid, so it was fetched already; nothing to report.
    }
}

void StockGrid::bindColumn(int column, const QString& field, const QString& title)
{
    if (m_source)
        m_source->setColumn(column, {field, title});
}

QString StockGrid::columnField(int column) const
{
    return m_source ? m_source->columns().value(column).field : QString();
}

QString StockGrid::columnTitle(int column) const
{
    return m_source ? m_source->columns().value(column).title : QString();
}

void StockGrid::setDesignWidth(int column, int width)
{
    if (column < 0 || column >= m_widths.size())
        return;
    m_widths[column] = width;
    applyColumn(column);
}

int StockGrid::designWidth(int column) const
{
    return m_widths.value(column);
}

void StockGrid::setColumnShown(int column, bool shown)
{
    if (column < 0 || column >= m_shown.size())
        return;
    m_shown[column] = shown;
    applyColumn(column);
}

bool StockGrid::isColumnShown(int column) const
{
    return m_shown.value(column);
}

void StockGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    // The scaler resizes the grid whenever the window's scale changes.
    applyColumns();
}

void StockGrid::applyColumns()
{
    for (int c = 0; c < m_widths.size(); ++c)
        applyColumn(c);
}

void StockGrid::applyColumn(int column)
{
    if (!model() || column >= model()->columnCount())
        return;
    setColumnHidden(column, !m_shown[column]);
    if (m_shown[column])
        setColumnWidth(column, qMax(1, qRound(m_widths[column] * m_scaler.factorX())));
}
