#pragma once

#include <QPointer>
#include <QTableView>
#include <QVector>

class FbQuery;
class QueryTableModel;
class WindowScaler;

// A read-only stock grid over one data source. Column widths are kept in design units and
// follow the window's scale; whether a column is shown and its width belong to the grid and
// outlast any rebinding or reopening of its data. The grid's current row and its query's
// current record move together: a row the user moves to (keys, mouse) becomes the current
// record, and a record the query moves to (a report walking it, the wheel) becomes the
// current row once events are processed, so the grid shows where the query stands.
class StockGrid : public QTableView
{
    Q_OBJECT
public:
    StockGrid(const WindowScaler& scaler, QWidget* parent = nullptr);

    // The grid's data source, with the columns that will be bound to fields by name.
    void setSource(QueryTableModel* source);
    QueryTableModel* source() const { return m_source; }

    void bindColumn(int column, const QString& field, const QString& title);
    QString columnField(int column) const;
    QString columnTitle(int column) const;

    void setDesignWidth(int column, int width);
    int designWidth(int column) const;
    void setColumnShown(int column, bool shown);
    bool isColumnShown(int column) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void sourceReset();
    void applyColumns();
    void applyColumn(int column);
    void followQueryLater();
    void followQuery();

    const WindowScaler& m_scaler;
    QueryTableModel* m_source = nullptr;
    QVector<int> m_widths;
    QVector<bool> m_shown;
    QPointer<FbQuery> m_query;
    bool m_followPending = false;
    bool m_following = false;
};
