#pragma once

#include "data/FbConnection.h"

// A transaction on one connection, for statements that run in it together. Internal to the
// database layer and its helpers; like the connection, used by one thread at a time.
class FbTransaction
{
public:
    enum class Mode {
        ReadOnly, // read committed: each statement sees what is committed when it runs
        Snapshot, // read only, one moment for every statement in it
        ReadWrite,
    };

    FbTransaction(FbConnection& connection, Mode mode);
    ~FbTransaction(); // ends what is still active: read-only ones commit, others roll back
    FbTransaction(const FbTransaction&) = delete;
    FbTransaction& operator=(const FbTransaction&) = delete;

    FbConnection& connection() const { return m_connection; }
    Mode mode() const { return m_mode; }

    void start();    // throws DbError; nothing when active already
    void commit();   // throws DbError
    void rollback(); // never throws
    bool isActive() const { return m_handle != 0; }
    FbApiHandle* handlePtr() { return &m_handle; }

private:
    FbConnection& m_connection;
    Mode m_mode;
    FbApiHandle m_handle = 0;
};
