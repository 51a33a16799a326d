// The clock and local time. Under test the clock is virtual: it stands still until the test
// driver advances it.
#pragma once

#include <cstdint>
#include <ctime>

namespace fw {

// Milliseconds since 1970-01-01 00:00:00 UTC.
std::int64_t nowMs();
// Seconds since 1970-01-01 00:00:00 UTC.
std::int64_t now();

// Holds the calling thread for ms milliseconds; its windows get no messages meanwhile. Under test
// the virtual clock moves on by ms instead: worker threads whose time comes run, but no message is
// delivered and no window timer fires.
void sleepMs(unsigned ms);

// Local time of an instant with the C library's localtime meaning; false when it cannot be
// converted.
bool localTime(std::int64_t seconds, std::tm& out);
// The instant of a local time with mktime's meaning (fields out of range are carried over,
// tm_isdst -1 lets the platform decide); -1 when it cannot be represented. Normalises tm.
std::int64_t makeLocalTime(std::tm& local);

}  // namespace fw
