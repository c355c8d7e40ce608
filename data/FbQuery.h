#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class FbConnection;
class FbStatement;

// A select on one connection, in the manner of a data-set component: SQL held as lines,
// parameters by name, a cursor over rows fetched on demand, fields by name.
// Every open runs in its own read-only read-committed transaction.
class FbQuery : public QObject
{
    Q_OBJECT
public:
    explicit FbQuery(FbConnection* connection = nullptr, QObject* parent = nullptr);
    ~FbQuery() override;

    void setConnection(FbConnection* connection);
    FbConnection* connection() const { return m_connection; }

    // Statement text, held as lines and joined with CR LF when sent.
    void clearSql();
    void addSql(const QString& line);
    void setSql(const QString& text); // replaces all lines with the lines of text
    const QStringList& sqlLines() const { return m_lines; }
    QString sqlText() const;

    // Parameters by name, without the colon, case-insensitive.
    void setParam(const QString& name, const QVariant& value);
    QStringList paramNames() const; // as they appear in the current text

    void open();  // throws DbError; closes first when open
    void close(); // never throws
    bool isActive() const { return m_active; }

    // Cursor. After open the cursor is on the first row; eof() is true when there is none.
    bool eof() const { return m_eof; }
    bool isEmpty() const;
    void first();
    void next();
    int currentRow() const { return m_current; }
    void setCurrentRow(int row); // fetches up to row as needed
    bool locate(const QString& field, const QVariant& value);

    // Fields of the result, by name (case-insensitive) or index.
    int fieldCount() const { return m_fieldNames.size(); }
    QStringList fieldNames() const { return m_fieldNames; }
    int fieldIndex(const QString& name) const; // -1 when missing
    QVariant field(const QString& name) const; // throws DbError when missing
    QVariant value(int row, int column) const;

    // Display formats per field ("#,#0.00;..." patterns), kept until the query closes; a
    // grid on the query shows the field by it.
    void setDisplayFormat(const QString& field, const QString& pattern);
    QString displayFormat(int column) const { return m_formats.value(column); }

    // Rows fetched so far and the rest on demand.
    int fetchedRows() const { return int(m_rows.size()); }
    bool allFetched() const { return m_allFetched; }
    int fetchMore(int count); // returns how many came

    // Edit and post of the current row by its key, in one short read-write transaction.
    void setUpdateTarget(const QString& table, const QString& keyField);
    void edit();
    void setField(const QString& name, const QVariant& value);
    // Throws DbError; returns the rows written, 0 when the row is no longer there.
    int post();

signals:
    void opened();
    void closed();
    void rowsFetched(int first, int last);
    void rowChanged(int row);
    void currentChanged(int row);

private:
    friend class FbConnection;
    void forgetConnection() { m_connection = nullptr; }
    bool fetchOne();
    void ensureField(int index, const QString& name) const;

    FbConnection* m_connection = nullptr;
    QStringList m_lines;
    QHash<QString, QVariant> m_params; // keys upper-case
    std::unique_ptr<FbStatement> m_statement;
    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex; // upper-case name -> index
    std::vector<QVector<QVariant>> m_rows;
    QHash<int, QString> m_formats; // column -> pattern
    bool m_active = false;
    bool m_eof = true;
    bool m_allFetched = true;
    int m_current = -1;
    QString m_updateTable;
    QString m_keyField;
    QList<QPair<QString, QVariant>> m_pending;
    bool m_editing = false;
};
