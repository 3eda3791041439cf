#pragma once
// The C runtime's time of day with milliseconds.

#include <cstdint>

struct _timeb {
    std::int32_t time = 0;     // seconds since 1970-01-01 00:00:00 UTC
    std::uint16_t millitm = 0; // milliseconds, 0 ... 999
    std::int16_t timezone = 0; // minutes west of UTC
    std::int16_t dstflag = 0;  // daylight saving time in force
};

// Reads the clock. Tests may replace the clock with AfxSetClock.
void _ftime(_timeb* now);
using ClockFunction = void (*)(_timeb*);
void AfxSetClock(ClockFunction clock); // null restores the real clock
