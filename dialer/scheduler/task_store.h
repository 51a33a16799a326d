// "Tasks.dat": a 32-bit count, then each task's own serialised form, back to back.
#pragma once

#include <optional>

#include "dialer/scheduler/task_record.h"

namespace fw {
class Archive;
}

// The file in the program's folder. It is read as "tasks.dat" at start; the names ignore case.
constexpr const char* kTasksFile = "Tasks.dat";

// The list a file holds. Nothing when the file ends before its records do: it is corrupt, and
// none of it may be kept. A count of 0 or below is an empty list; any other read error ends the
// list with the records read whole.
std::optional<CTaskList> ReadTasks(fw::Archive& ar);

// Writes the count and every task in list order.
void WriteTasks(fw::Archive& ar, const CTaskList& tasks);
