#pragma once

#include "platform/Pinger.h"

// ICMP echo: an unprivileged ICMP socket, else a raw socket, else the system's ping.
class IcmpPinger : public Pinger
{
public:
    bool echo(const QString& address, int timeoutMs) override;
};
