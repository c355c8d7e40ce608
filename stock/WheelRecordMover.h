#pragma once

#include "data/FbQuery.h"

#include <QObject>
#include <QPointer>

class QTableView;

// Moves a grid's query record by record with the mouse wheel: the system's wheel-scroll
// lines per turn, towards the first record when the wheel turns away from the user. The
// grid's current row follows. The event passes on, so the grid scrolls its own step too.
class WheelRecordMover : public QObject
{
    Q_OBJECT
public:
    // Without a query the mover follows whatever query the grid's data source shows.
    explicit WheelRecordMover(QTableView* grid, FbQuery* query = nullptr);

    // Moves the current record by `records` (negative: towards the first), stopping at
    // either end; running past the last record leaves the query at end of data. Nothing
    // happens when the query is closed or has no rows.
    void move(int records);

signals:
    // Fetching the rows to move over failed (connection lost): the server's text.
    void fetchFailed(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FbQuery* query() const;

    QTableView* m_grid;
    QPointer<FbQuery> m_query;
};
