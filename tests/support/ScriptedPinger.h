#pragma once

#include "Pinger.h"

#include <QStringList>

// An echo that answers as told and remembers whom it was asked about.
class ScriptedPinger : public Pinger
{
public:
    explicit ScriptedPinger(bool replies = true) : replies(replies) {}
    bool echo(const QString& address, int) override
    {
        asked << address;
        return replies;
    }
    bool replies;
    QStringList asked;
};
