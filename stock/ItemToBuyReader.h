#pragma once

#include "data/FbConnection.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <QWaitCondition>
#include <array>
#include <atomic>
#include <optional>
#include <vector>

class ConcurrentJobs;

// The item-to-buy report's data: company A's rows, and for each of their item codes the rows
// of companies B and C.
struct ItemToBuyData {
    struct Rows {
        QStringList fields;
        std::vector<QVector<QVariant>> rows;
    };
    Rows master;
    // Per company B and C: the fields, and the rows of each item code (none where the company
    // lacks the code).
    struct Detail {
        QStringList fields;
        QHash<QString, std::vector<QVector<QVariant>>> rowsByItem;
    };
    std::array<Detail, 2> details;
};

// Reads the item-to-buy data on connections of its own, in worker threads: the master
// statement on company A, then the detail statement for every master item on B and on C at the
// same time (both attach and prepare while A runs), each detail prepared once and run with
// each item code, in one read-only snapshot transaction per company. Nothing else in the program
// changes meanwhile, so a cancelled or failed read leaves everything as it was.
class ItemToBuyReader : public QObject
{
    Q_OBJECT
public:
    // The three companies' connection parameters (A, B, C) and the statements' lines.
    ItemToBuyReader(const std::array<ConnectionParams, 3>& companies,
                    const QStringList& masterStatement, const QStringList& detailStatement,
                    QObject* parent = nullptr);
    ~ItemToBuyReader() override;

    // Reads everything, waiting in a local event loop (windows keep painting). True when
    // complete; otherwise cancelled() or error() says why.
    bool read();
    void cancel();
    bool cancelled() const { return m_cancelled; }
    QString error() const { return m_error; }

    // Progress: master items, once known (-1 before), and detail rows read so far over both
    // companies (at most twice the items). Safe to read while read() runs.
    int itemCount() const { return m_itemCount; }
    int detailsRead() const { return m_detailsRead; }

    ItemToBuyData& data() { return m_data; }

private:
    // Company A's item codes, handed from its job to those of B and C; none when A failed.
    class ItemHandOver
    {
    public:
        void give(std::optional<QStringList> items);
        // Waits until given, or throws once the jobs are cancelled.
        std::optional<QStringList> take(const ConcurrentJobs& jobs);

    private:
        QMutex m_lock;
        QWaitCondition m_given;
        bool m_ready = false;
        std::optional<QStringList> m_items;
    };

    void readMaster(ItemHandOver& items);
    void readDetails(int company, ItemHandOver& items);

    std::array<FbConnection, 3> m_connections;
    QString m_masterText;
    QString m_detailText;
    int m_detailParameters = 0;
    ItemToBuyData m_data;
    ConcurrentJobs* m_jobs = nullptr; // those running now
    bool m_cancelled = false;
    QString m_error;
    std::atomic<int> m_itemCount{-1};
    std::atomic<int> m_detailsRead{0};
};
