#pragma once

#include <QtGlobal>
#include <atomic>

// What the database layer has asked of the servers. Connections whose parameters share one
// instance add to it, from whatever thread they run on; benchmarks and tests read it.
struct FbStatistics {
    std::atomic<qint64> attachments{0};
    std::atomic<qint64> prepares{0};
    std::atomic<qint64> executions{0};
};
