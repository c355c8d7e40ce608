#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

#include "data/FbQuery.h"

// A grid's view of a query: rows come from the server as the view scrolls to them, and
// the model empties when its query closes. Columns are bound to fields by name; a column
// whose field the result lacks shows empty cells.
class QueryTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
    };

    // Rows fetched per scroll step; small enough that the first screen shows at once.
    static constexpr int kRowsPerFetch = 100;

    explicit QueryTableModel(QObject* parent = nullptr);

    void setQuery(FbQuery* query);
    FbQuery* query() const { return m_query; }
    // Without bound columns every field of the result is shown under its own name.
    void setColumns(const QVector<Column>& columns);
    const QVector<Column>& columns() const { return m_columns; }
    void setColumn(int index, const Column& column);
    // How a grid shows a value: by the pattern when there is one, dates as "dd/MM/yyyy",
    // times to the second, numbers without trailing zeros.
    static QString displayText(const QVariant& value, const QString& pattern = QString());

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // A fetch the view asked for failed (connection lost): the server's text.
    void fetchFailed(const QString& message);

private:
    void reset();
    void onRowsFetched(int first, int last);
    int fieldColumn(int column) const;

    QPointer<FbQuery> m_query;
    QVector<Column> m_columns;
    QVector<int> m_fieldOf; // model column -> query column, -1 when missing
    int m_rows = 0;
    bool m_resetting = false;
};
