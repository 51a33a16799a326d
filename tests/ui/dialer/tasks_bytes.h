// "Tasks.dat" written out by hand, record by record, for golden files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings_bytes.h"

// The test clock starts at 2000-01-01 00:00:00 UTC.
constexpr std::int32_t kStart = 946'684'800;
constexpr std::int32_t kDay = 86'400;

// One record of "Tasks.dat", in the file's field order.
struct Task {
    std::string name, entry;
    std::int32_t time = kStart;
    std::int32_t minutes = 0, disconnectAfter = 0, disabled = 0;
    std::int32_t recurrence = 0;  // 0 daily, 3 "Number:"
    std::int32_t number = 0;
};

inline std::string tasksFile(const std::vector<Task>& tasks) {
    std::string bytes = le32(static_cast<std::int32_t>(tasks.size()));
    for (const Task& t : tasks) {
        bytes += short8(t.name) + short8(t.entry) + le32(t.time) + le32(t.minutes) +
                 le32(t.disconnectAfter) + le32(t.disabled) + le32(t.recurrence) + le32(t.number);
    }
    return bytes;
}
