#pragma once

#include "data/DbError.h"
#include "data/TextCodec.h"

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <memory>

class FbConnection;

// One statement with its own transaction: read-only read-committed for selects,
// read-write for writes. Internal to the database layer.
class FbStatement
{
public:
    enum class Mode { ReadOnly, ReadWrite };

    FbStatement(FbConnection& connection, Mode mode);
    ~FbStatement(); // rolls back what was not committed, frees everything
    FbStatement(const FbStatement&) = delete;
    FbStatement& operator=(const FbStatement&) = delete;

    // sql uses "?" markers; values in marker order. Throws DbError.
    void execute(const QString& sql, const QVariantList& values);
    bool isSelect() const { return m_isSelect; }
    const QStringList& columnNames() const { return m_columns; }
    // Fetches the next row; false at the end. Throws DbError.
    bool fetch(QVector<QVariant>& row);
    // Rows the executed write changed (updated, deleted or inserted). Throws DbError.
    int affectedRows();
    void commit(); // throws DbError

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    QStringList m_columns;
    bool m_isSelect = false;
};

// A DbError from a status vector, with the server's text (fb_interpret).
DbError statusError(const intptr_t* status, const QString& context = {});
[[noreturn]] void throwStatus(const intptr_t* status, const QString& context = {});
