#include "stock/StockGrid.h"

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
        connect(m_source, &QAbstractItemModel::modelReset, this, &StockGrid::applyColumns);
    applyColumns();
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
