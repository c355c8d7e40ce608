#pragma once

#include "data/DbError.h"
#include "data/TextCodec.h"

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <memory>

class FbConnection;
class FbTransaction;

// One statement on a connection, prepared once and run as often as needed with new values.
// It runs either in a transaction of its own (read-only read-committed for selects,
// read-write for writes), started by each execute, or in one the caller owns.
// Internal to the database layer; used by one thread at a time.
class FbStatement
{
public:
    enum class Mode { ReadOnly, ReadWrite };

    FbStatement(FbConnection& connection, Mode mode);
    FbStatement(FbConnection& connection, FbTransaction& transaction);
    ~FbStatement(); // ends a transaction of its own (rolls back what was not committed)
    FbStatement(const FbStatement&) = delete;
    FbStatement& operator=(const FbStatement&) = delete;

    FbConnection& connection() const;

    // sql uses "?" markers. Throws DbError.
    void prepare(const QString& sql);
    bool isPrepared() const;
    const QString& preparedText() const { return m_text; }
    // Runs the prepared statement with values in marker order; a cursor still open from the
    // previous run is closed first. Throws DbError.
    void execute(const QVariantList& values);
    void execute(const QString& sql, const QVariantList& values)
    {
        prepare(sql);
        execute(values);
    }
    bool isSelect() const { return m_isSelect; }
    const QStringList& columnNames() const { return m_columns; }
    // Fetches the next row; false at the end. Throws DbError.
    bool fetch(QVector<QVariant>& row);
    // Rows the executed write changed (updated, deleted or inserted). Throws DbError.
    int affectedRows();
    // Closes the cursor and commits a transaction of its own; the statement stays prepared.
    void commit(); // throws DbError
    // The same without errors: for a result that is no longer wanted.
    void finish() noexcept;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    QString m_text;
    QStringList m_columns;
    bool m_isSelect = false;
};

// A DbError from a status vector, with the server's text (fb_interpret).
DbError statusError(const intptr_t* status, const QString& context = {});
[[noreturn]] void throwStatus(const intptr_t* status, const QString& context = {});
