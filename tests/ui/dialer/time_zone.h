// Local time for tests: a zone in the POSIX form that Wine's C library understands, New York's
// unless a test needs another, so that local times read the same on every machine and under Wine.
// It is set and never taken back: Wine's C library loses the zone's daylight-saving rules once the
// zone has been unset and set again within a process.
#pragma once

#include <cstdlib>
#include <ctime>

inline void useTimeZone(const char* tz) {
#ifdef _WIN32
    _putenv_s("TZ", tz);
    _tzset();
#else
    setenv("TZ", tz, 1);
    tzset();
#endif
}
inline void useNewYorkTime() {
    useTimeZone("EST5EDT");
}
