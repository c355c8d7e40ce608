#pragma once

#include <QDate>
#include <QDateTime>

// Today and now, injectable so date rules can be tested on any day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    QDate today() const { return now().date(); }
};
