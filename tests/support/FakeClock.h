#pragma once

#include "platform/Clock.h"

// A clock that stands still at a chosen moment.
class FakeClock : public Clock
{
public:
    explicit FakeClock(const QDateTime& at = QDateTime(QDate(2026, 3, 14), QTime(9, 30, 15)))
        : moment(at)
    {
    }
    QDateTime now() const override { return moment; }
    QDateTime moment;
};
