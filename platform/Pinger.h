#pragma once

#include <QString>

// One ICMP echo request; no reply within the time, or any error, counts as no reply.
class Pinger {
public:
    virtual ~Pinger() = default;
    virtual bool echo(const QString& address, int timeoutMs) = 0;
};
