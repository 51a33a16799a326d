#include "dialer/scheduler/schedule_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "../ui/dialer/time_zone.h"
#include "dialer/scheduler/task_record.h"

namespace {

// The United States' rules of before 2007 in their POSIX form, which the C runtimes of both
// backends understand: daylight saving from 2 April to 29 October in 2000. Each test program runs
// on its own, so the zone is not taken back.
class ScheduleTest : public ::testing::Test {
  protected:
    void SetUp() override { useNewYorkTime(); }
};

// Expected instants from the calendar in UTC, not from the conversion under test.
std::int64_t utc(int year, int month, int day, int hour, int minute) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return timegm(&t);
}
std::int64_t est(int y, int mo, int d, int h, int mi) {
    return utc(y, mo, d, h, mi) + 5 * 3600;
}
std::int64_t edt(int y, int mo, int d, int h, int mi) {
    return utc(y, mo, d, h, mi) + 4 * 3600;
}
// What the dialog's fields enter as, widened so that a table can hold it.
std::optional<std::int64_t> entered(int month, int day, int year, int hour, int minute, int amPm) {
    const std::optional<std::int32_t> time = EnterTime(month, day, year, hour, minute, amPm);
    return time ? std::optional<std::int64_t>(*time) : std::nullopt;
}

TEST_F(ScheduleTest, EnteringATime) {
    const struct {
        const char* what;
        int month, day, year, hour, minute, amPm;
        std::optional<std::int64_t> instant;
    } rows[] = {
        {"12:00 AM is midnight", 3, 7, 2000, 12, 0, 0, est(2000, 3, 7, 0, 0)},
        {"12:00 PM is noon", 3, 7, 2000, 12, 0, 1, est(2000, 3, 7, 12, 0)},
        {"12:59 PM", 3, 7, 2000, 12, 59, 1, est(2000, 3, 7, 12, 59)},
        {"11:59 PM", 3, 7, 2000, 11, 59, 1, est(2000, 3, 7, 23, 59)},
        {"summer time", 7, 4, 2000, 9, 30, 0, edt(2000, 7, 4, 9, 30)},
        {"29 February 2000", 2, 29, 2000, 8, 0, 0, est(2000, 2, 29, 8, 0)},
        {"30 February 2000 is 1 March", 2, 30, 2000, 8, 0, 0, est(2000, 3, 1, 8, 0)},
        {"29 February 2001 is 1 March", 2, 29, 2001, 8, 0, 0, est(2001, 3, 1, 8, 0)},
        {"30 February 2001 is 2 March", 2, 30, 2001, 8, 0, 0, est(2001, 3, 2, 8, 0)},
        {"year 0", 1, 1, 0, 8, 0, 0, std::nullopt},
        {"31 December 2038", 12, 31, 2038, 8, 0, 0, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(entered(row.month, row.day, row.year, row.hour, row.minute, row.amPm),
                  row.instant);
    }
}

// The dates the refusal names (1/2/1970 to 1/17/2038) are the dates taken, whatever the zone.
TEST_F(ScheduleTest, TheEnterableDatesAreTheSameInEveryTimeZone) {
    const struct {
        const char* tz;
        std::int64_t utcOffset;  // seconds east of Greenwich
    } zones[] = {
        {"EST5EDT", -5 * 3600}, {"UTC0", 0}, {"<-12>12", -12 * 3600}, {"<+14>-14", 14 * 3600}};
    const struct {
        int month, day, year, hour, minute, amPm;
        bool taken;
    } rows[] = {
        {1, 1, 1970, 11, 59, 1, false}, {1, 2, 1970, 12, 0, 0, true},
        {12, 33, 1969, 12, 0, 0, true},  // carried over to 2 January 1970
        {1, 17, 2038, 11, 59, 1, true}, {1, 18, 2038, 12, 0, 0, false},
    };
    for (const auto& zone : zones) {
        useTimeZone(zone.tz);
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << zone.tz << " " << row.month << "/" << row.day << "/"
                                            << row.year << " " << row.hour << ":" << row.minute);
            const int hour24 = row.hour % 12 + 12 * row.amPm;
            EXPECT_EQ(entered(row.month, row.day, row.year, row.hour, row.minute, row.amPm),
                      row.taken
                          ? std::optional(utc(row.year, row.month, row.day, hour24, row.minute) -
                                          zone.utcOffset)
                          : std::nullopt);
        }
    }
}

// Fires a task up to runs times: the times it ran at, and whether it was removed after the last.
std::string fire(CTasks task, int runs) {
    std::string fired;
    for (int i = 0; i < runs; ++i) {
        const std::int32_t ranAt = task.m_timeNext;
        fired += WillExecuteText(ranAt).substr(14) + "; ";
        if (!AdvanceTask(task)) {
            EXPECT_EQ(task.m_timeNext, ranAt) << "a removed task keeps its time";
            return fired + "removed";
        }
    }
    return fired + "kept";
}

TEST_F(ScheduleTest, RunsOfTasks) {
    const auto task = [](std::int32_t recurrence, std::int64_t time, std::int32_t number = 0) {
        return CTasks("T", "Work", static_cast<std::int32_t>(time), 0, 0, recurrence, number);
    };
    const struct {
        const char* what;
        CTasks task;
        int runs;
        std::string fired;
    } rows[] = {
        {"daily", task(kRecurDaily, est(2000, 3, 7, 23, 30)), 2,
         "3/7/2000 11:30 PM; 3/8/2000 11:30 PM; kept"},
        {"daily, spring", task(kRecurDaily, est(2000, 4, 1, 8, 0)), 2,
         "4/1/2000 8:00 AM; 4/2/2000 9:00 AM; kept"},
        {"daily, autumn", task(kRecurDaily, edt(2000, 10, 28, 8, 0)), 2,
         "10/28/2000 8:00 AM; 10/29/2000 7:00 AM; kept"},
        {"weekly", task(kRecurWeekly, est(2000, 3, 7, 8, 0)), 2,
         "3/7/2000 8:00 AM; 3/14/2000 8:00 AM; kept"},
        {"weekly, spring", task(kRecurWeekly, est(2000, 3, 30, 8, 0)), 2,
         "3/30/2000 8:00 AM; 4/6/2000 9:00 AM; kept"},
        {"weekly, autumn", task(kRecurWeekly, edt(2000, 10, 26, 8, 0)), 2,
         "10/26/2000 8:00 AM; 11/2/2000 7:00 AM; kept"},
        // 31 days of seconds: the spring change on 2 April moves the clock on by an hour too.
        {"monthly", task(kRecurMonthly, est(2000, 1, 31, 10, 0)), 4,
         "1/31/2000 10:00 AM; 3/2/2000 10:00 AM; 4/2/2000 11:00 AM; 5/3/2000 11:00 AM; kept"},
        {"Number: 3", task(kRecurNumber, est(2000, 3, 7, 8, 5), 3), 5,
         "3/7/2000 8:05 AM; 3/8/2000 8:05 AM; 3/9/2000 8:05 AM; removed"},
        // Only a damaged file holds such a recurrence: it steps as a daily one.
        {"recurrence 4", task(4, est(2000, 3, 7, 8, 5)), 2,
         "3/7/2000 8:05 AM; 3/8/2000 8:05 AM; kept"},
        // The clock ends on 18 January 2038 at 10:14:07 PM here.
        {"daily, to the clock's end", task(kRecurDaily, INT32_MAX - 86'400), 5,
         "1/17/2038 10:14 PM; 1/18/2038 10:14 PM; removed"},
        {"monthly, past the clock's end", task(kRecurMonthly, est(2037, 12, 20, 8, 0)), 5,
         "12/20/2037 8:00 AM; removed"},
        {"Number: 5, past the clock's end", task(kRecurNumber, INT32_MAX - 86'399, 5), 5,
         "1/17/2038 10:14 PM; removed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(fire(row.task, row.runs), row.fired);
    }
    // No runs left, however few: removed after one. Counting INT_MIN down would overflow, which
    // the sanitizers' build shows.
    for (const std::int32_t number : {1, 0, -2, INT_MIN}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(fire(task(kRecurNumber, est(2000, 3, 7, 8, 5), number), 5),
                  "3/7/2000 8:05 AM; removed");
    }
}

TEST(ScheduleArithmetic, PickNextTask) {
    const auto tasks = [](std::vector<std::pair<std::int32_t, BOOL>> timesAndDisabled) {
        CTaskList list;
        for (const auto& [time, disabled] : timesAndDisabled) {
            list.emplace_back("T", "Work", time, 0, 0, kRecurDaily, 0);
            list.back().m_bDisabled = disabled;
        }
        return list;
    };
    const struct {
        const char* what;
        CTaskList tasks;
        int picked;
    } rows[] = {
        {"no tasks", {}, -1},
        {"all disabled", tasks({{10, 1}, {20, 1}}), -1},
        {"the first is earliest", tasks({{10, 0}, {20, 0}}), 0},
        {"equal times", tasks({{90, 0}, {50, 0}, {50, 0}}), 1},
        {"the last is earliest", tasks({{30, 0}, {20, 0}, {10, 0}}), 2},
        {"a disabled task first", tasks({{10, 1}, {50, 0}, {40, 0}}), 2},
        {"a disabled task first, one enabled", tasks({{10, 1}, {50, 0}}), 1},
        {"an earlier disabled task after", tasks({{50, 0}, {10, 1}}), 0},
        {"a time in the past", tasks({{50, 0}, {-10, 0}}), 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(PickNextTask(row.tasks), row.picked);
    }
}

TEST_F(ScheduleTest, RenderingsOfATime) {
    const struct {
        std::int64_t instant;
        const char *willExecute, *dialog;
        int amPm;
    } rows[] = {
        {est(2000, 3, 7, 0, 0), "3/7/2000 0:00 AM", "3/7/2000 12:00", 0},
        {est(2000, 3, 7, 12, 0), "3/7/2000 12:00 PM", "3/7/2000 12:00", 1},
        {est(1999, 12, 31, 23, 59), "12/31/1999 11:59 PM", "12/31/1999 11:59", 1},
        {edt(2000, 7, 14, 13, 9), "7/14/2000 1:09 PM", "7/14/2000 1:09", 1},
        {est(2000, 11, 5, 10, 10), "11/5/2000 10:10 AM", "11/5/2000 10:10", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.willExecute);
        EXPECT_EQ(WillExecuteText(static_cast<std::int32_t>(row.instant)),
                  std::string("Will Execute: ") + row.willExecute);
        const std::optional<DialogTime> f = DialogTimeOf(row.instant);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(std::to_string(f->month) + "/" + std::to_string(f->day) + "/" +
                      std::to_string(f->year) + " " + f->time,
                  row.dialog);
        EXPECT_EQ(f->amPm, row.amPm);
    }
    // Times without a date (before 1970, only in a damaged file) read alike on every platform.
    for (const std::int64_t instant : {std::int64_t{-1}, std::int64_t{INT64_MAX}}) {
        EXPECT_FALSE(DialogTimeOf(instant).has_value());
    }
    EXPECT_EQ(WillExecuteText(-1), "Will Execute: ");

    // A row added or edited just now shows the fields as they were entered.
    EXPECT_EQ(WillExecuteText(12, 1, 1999, "12:00", 0), "Will Execute: 12/1/1999 12:00 AM");
}

TEST(ScheduleArithmetic, ReadTimeText) {
    // What is read, as "hour:minute", marked when out of range; overlong numbers saturate, since
    // wrapping would bring them back into range.
    const struct {
        const char *text, *read;
    } rows[] = {{"9:5", "9:5"},
                {"12:", "12:0"},
                {"3:46 PM", "3:46"},
                {"3:46:10", "3:46"},
                {"1:59", "1:59"},
                {" \t7: 05", "7:5"},
                {"+3:+05", "3:5"},
                {"0:30", "out 0:30"},
                {"1:60", "out 1:60"},
                {":30", "out 0:30"},
                {"-3:46", "out -3:46"},
                {"3:-1", "out 3:-1"},
                {"- 3:00", "out 0:0"},
                {"4294967299:00", "out 2147483647:0"},
                {"3:4294967301", "out 3:2147483647"},
                {"-4294967293:00", "out -2147483648:0"},
                {"", "no colon"}};
    for (const auto& row : rows) {
        int hour = 0;
        int minute = 0;
        const TimeTextResult result = ReadTimeText(row.text, hour, minute);
        EXPECT_EQ(result == TimeTextResult::noColon
                      ? "no colon"
                      : (result == TimeTextResult::outOfRange ? "out " : "") +
                            std::to_string(hour) + ":" + std::to_string(minute),
                  row.read)
            << row.text;
    }
}

}  // namespace
