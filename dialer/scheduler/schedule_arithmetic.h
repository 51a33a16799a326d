// The rules behind a task's time: a time entered in the Task Properties dialog, the step after
// each run, the choice of the next task, and the texts that show a time. Instants are seconds
// since 1970-01-01 00:00:00 UTC; local time appears only in what the user types and reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "dialer/scheduler/task_record.h"

// The instant of a local date and 12-hour time (amPm 0 for AM, 1 for PM), with mktime's
// meaning: fields out of range carry over (31 April is 1 May), and the platform decides whether
// daylight saving is in force. Nothing when the date, once carried over, lies outside the dates of
// kEnterableDatesMessage: each of their local times fits the 32-bit count of seconds in every time
// zone (UTC-12 to UTC+14), so the dates the user is told hold wherever the user is.
std::optional<std::int32_t> EnterTime(int month, int day, int year, int hour, int minute, int amPm);
constexpr const char* kEnterableDatesMessage =
    "The task's date must lie between 1/2/1970 and 1/17/2038.";

// Moves a task on after a run by its recurrence's fixed number of seconds; a "Number:" task
// uses up one of its runs. False when the task is to be removed instead, its time unchanged: its
// runs are used up, or its next time lies past the end of the 32-bit count. A recurrence that
// only a damaged file can hold steps as a daily one.
bool AdvanceTask(CTasks& task);

// The index of the enabled task with the earliest time (the lowest index among equal times), or
// -1 when every task is disabled.
int PickNextTask(const CTaskList& tasks);

// The fields of the Task Properties dialog that show an instant: month, day, four-digit year, the
// time text ("8:05", "12:00" for midnight and noon) and the AM/PM index. Nothing when the
// instant cannot be turned into a local date.
struct DialogTime {
    int month = 1;
    int day = 1;
    int year = 1970;
    std::string time;
    int amPm = 0;
};
std::optional<DialogTime> DialogTimeOf(std::int64_t instant);

// The schedule list's "Will Execute" text of a task's time, as "Will Execute: 3/7/2000 0:15 AM";
// just "Will Execute: " when the time cannot be turned into a local date.
std::string WillExecuteText(std::int32_t timeNext);
// The same from the dialog's fields, the time text as typed.
std::string WillExecuteText(int month, int day, int year, const std::string& time, int amPm);

// The hour and minute of a time text such as "3:46", each read as atoi reads a number (an
// overlong number saturates). noColon when the text has no ":", outOfRange when the hour is not
// 1 to 12 or the minute not 0 to 59.
enum class TimeTextResult { accepted, noColon, outOfRange };
TimeTextResult ReadTimeText(const std::string& text, int& hour, int& minute);
