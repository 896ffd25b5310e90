#pragma once

#include <QDateTime>

// The one source of "now" for every screen, so that tests can stand the kiosk at any
// moment of the week (Monday 09:40, 21:30, midnight) without waiting for it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
