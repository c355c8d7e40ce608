#pragma once

#include "platform/Pinger.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStringList>

// An echo that answers as told and remembers whom it was asked about.
class ScriptedPinger : public Pinger
{
public:
    explicit ScriptedPinger(bool replies = true) : replies(replies) {}
    bool echo(const QString& address, int) override
    {
        asked << address;
        const QCursor* cursor = QGuiApplication::overrideCursor();
        waitCursorShown = cursor && cursor->shape() == Qt::WaitCursor;
        return replies;
    }
    bool replies;
    QStringList asked;
    bool waitCursorShown = false; // during the last echo
};
