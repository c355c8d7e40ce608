#pragma once

#include "data/DbError.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

class FbConnection;
class FbStatement;

// How FbQuery::beginOpen() prepares an open.
struct FbOpenOptions {
    // Ends the connection's attachment before the statement runs (in run(), so a worker
    // pays for it); the queries on it are closed by beginOpen().
    bool dropConnectionFirst = false;
    // Rows fetched with the first (all when negative), so a grid has its first screen at once.
    int prefetchRows = 1;
};

// A select on one connection, in the manner of a data-set component: SQL held as lines,
// parameters by name, a cursor over rows fetched on demand, fields by name.
// Every open runs in its own read-only read-committed transaction. The statement is prepared
// once: opening again with the same text (new parameter values) runs it without preparing it
// anew, until the text changes or the connection drops.
class FbQuery : public QObject
{
    Q_OBJECT
public:
    // An open in two halves, so that the statement can run on another thread: beginOpen()
    // closes the query (in its own thread) and takes what the statement needs, run() executes
    // it and fetches the first rows (on any thread, while nothing else uses the connection),
    // and finishOpen() makes the query active with them (in its own thread again).
    class Opening
    {
    public:
        Opening(Opening&&) noexcept;
        Opening& operator=(Opening&&) noexcept;
        ~Opening();

        FbConnection* connection() const { return m_connection; }
        // Never throws: an error is kept for finishOpen(). A set `stop` flag (looked at once
        // attached, before the statement runs) ends it with an error.
        void run(const std::atomic<bool>* stop = nullptr) noexcept;
        bool failed() const { return m_error.has_value(); }
        const std::optional<DbError>& error() const { return m_error; }

    private:
        friend class FbQuery;
        Opening();
        void runStatement(const std::atomic<bool>* stop);

        FbConnection* m_connection = nullptr;
        QString m_text;
        QVariantList m_values;
        int m_prefetch = 1;
        bool m_dropFirst = false;
        std::unique_ptr<FbStatement> m_statement;
        std::vector<QVector<QVariant>> m_rows;
        bool m_allFetched = false;
        std::optional<DbError> m_error;
    };

    using OpenOptions = FbOpenOptions;

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
    void close(); // never throws; the statement stays prepared for the next open
    Opening beginOpen(const OpenOptions& options = {}); // throws DbError (parameters, connection)
    void finishOpen(Opening&& opening);                 // throws the error the run met

    // Makes the query active with rows read elsewhere (all of them): a report that read its
    // data on connections of its own hands it over this way.
    void openWithRows(const QStringList& fieldNames, std::vector<QVector<QVariant>> rows);
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
    // Closes and frees the prepared statement: its attachment is about to end.
    void release();
    void becomeActive(const QStringList& fieldNames);
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
