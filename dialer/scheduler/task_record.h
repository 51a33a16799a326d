// One scheduled task: the phonebook entry it dials, when it runs next, how it repeats, whether it
// is switched off, and how many minutes after firing its connection is dropped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw {
class Archive;
}

using BOOL = int;

// How a task repeats: the values of "Tasks.dat" and of the Task Properties dialog's buttons.
enum Recurrence : std::int32_t {
    kRecurDaily = 0,
    kRecurWeekly = 1,
    kRecurMonthly = 2,
    kRecurNumber = 3,  // m_nNumber runs, one a day
};

class CTasks {
  public:
    // For reading: the fields come from the archive.
    CTasks() = default;
    // A task as the Task Properties dialog gives it: enabled, and with minutes only when a
    // limit is in force.
    CTasks(std::string name, std::string entry, std::int32_t timeNext, std::int32_t minutes,
           BOOL disconnectAfter, std::int32_t recurrence, std::int32_t number);

    // Writes or reads the eight fields in their order.
    void Serialize(fw::Archive& ar);

    bool operator==(const CTasks&) const = default;

    std::string m_strName;
    std::string m_strEntry;
    std::int32_t m_timeNext = 0;  // seconds since 1970-01-01 00:00:00 UTC
    std::int32_t m_nMinutes = 0;  // the limit, while m_bDisconnectAfter is set
    BOOL m_bDisconnectAfter = 0;
    BOOL m_bDisabled = 0;
    std::int32_t m_nRecurrence = kRecurDaily;
    std::int32_t m_nNumber = 0;  // runs left, for kRecurNumber
};

// The task list: a task's index is its identity while the program runs.
using CTaskList = std::vector<CTasks>;
