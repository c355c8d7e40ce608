#include "stock/WheelRecordMover.h"

#include "data/DbError.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"

#include <QApplication>
#include <QTableView>
#include <QWheelEvent>

WheelRecordMover::WheelRecordMover(QTableView* grid, FbQuery* query)
    : QObject(grid), m_grid(grid), m_query(query)
{
    // Wheel events reach the viewport, not the view.
    grid->viewport()->installEventFilter(this);
}

FbQuery* WheelRecordMover::query() const
{
    if (m_query)
        return m_query;
    const auto* source = qobject_cast<const QueryTableModel*>(m_grid->model());
    return source ? source->query() : nullptr;
}

void WheelRecordMover::move(int records)
{
    FbQuery* q = query();
    if (!q || !q->isActive() || q->currentRow() < 0 || records == 0)
        return;
    try {
        if (records > 0) {
            // Record by record, so that running past the last one ends at end of data.
            for (int i = 0; i < records && !q->eof(); ++i)
                q->next();
        } else {
            q->setCurrentRow(qMax(0, q->currentRow() + records));
        }
    } catch (const DbError& e) {
        // Thrown from an event filter it would unwind through the event loop.
        emit fetchFailed(e.message());
    }
    if (QAbstractItemModel* model = m_grid->model()) {
        const int column = qMax(0, m_grid->currentIndex().column());
        m_grid->setCurrentIndex(model->index(q->currentRow(), column));
    }
    m_grid->viewport()->repaint();
}

bool WheelRecordMover::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y();
        if (delta != 0) {
            const int lines = QApplication::wheelScrollLines();
            move(delta > 0 ? -lines : lines);
        }
    }
    return QObject::eventFilter(watched, event);
}
