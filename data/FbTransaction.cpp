#include "data/FbTransaction.h"

#include "data/FbStatement.h"

#include <ibase.h>

FbTransaction::FbTransaction(FbConnection& connection, Mode mode)
    : m_connection(connection), m_mode(mode)
{
}

FbTransaction::~FbTransaction()
{
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY ignored;
    // A read-only transaction has nothing to lose; commit ends it cheaply.
    if (m_mode != Mode::ReadWrite)
        isc_commit_transaction(ignored, &m_handle);
    if (m_handle)
        isc_rollback_transaction(ignored, &m_handle);
    m_handle = 0;
}

void FbTransaction::start()
{
    if (m_handle)
        return;
    static const char readOnly[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                    isc_tpb_rec_version, isc_tpb_nowait};
    static const char snapshot[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_concurrency,
                                    isc_tpb_nowait};
    static const char readWrite[] = {isc_tpb_version3,
                                     isc_tpb_write,
                                     isc_tpb_read_committed,
                                     isc_tpb_rec_version,
                                     isc_tpb_wait,
                                     isc_tpb_lock_timeout,
                                     1,
                                     10};
    const char* tpb = readOnly;
    short length = sizeof readOnly;
    if (m_mode == Mode::Snapshot) {
        tpb = snapshot;
        length = sizeof snapshot;
    } else if (m_mode == Mode::ReadWrite) {
        tpb = readWrite;
        length = sizeof readWrite;
    }
    ISC_STATUS_ARRAY status;
    isc_start_transaction(status, &m_handle, 1, m_connection.handlePtr(), length, tpb);
    if (status[0] == 1 && status[1]) {
        m_handle = 0;
        const DbError error = statusError(status);
        if (error.connectionLost())
            m_connection.markLost();
        throw error;
    }
}

void FbTransaction::commit()
{
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY status;
    isc_commit_transaction(status, &m_handle);
    if (status[0] == 1 && status[1]) {
        rollback();
        throwStatus(status);
    }
    m_handle = 0;
}

void FbTransaction::rollback()
{
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY ignored;
    isc_rollback_transaction(ignored, &m_handle);
    m_handle = 0;
}
