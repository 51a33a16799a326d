// Local time for tests: New York's zone, in the POSIX form that Wine's C library understands, so
// that local times read the same on every machine and under Wine. It is set and never taken back:
// Wine's C library loses the zone's daylight-saving rules once the zone has been unset and set
// again within a process.
#pragma once

#include <cstdlib>
#include <ctime>

inline void useNewYorkTime() {
#ifdef _WIN32
    _putenv_s("TZ", "EST5EDT");
    _tzset();
#else
    setenv("TZ", "EST5EDT", 1);
    tzset();
#endif
}
