#include "dialer/scheduler/task_store.h"

#include <climits>
#include <optional>
#include <string>

#include "../ui/dialer/tasks_bytes.h"
#include "dialer/scheduler/task_record.h"
#include "framework/archive.h"
#include "sandbox_fixture.h"

namespace {

using fw::Archive;

// The daily task Night for Work at 2000-01-01 00:00:00 UTC, a 30-minute limit, number 1.
const std::string kNight = bytes({0x01, 0x00, 0x00, 0x00}) +         // one record
                           bytes({0x05, 'N', 'i', 'g', 'h', 't'}) +  // name
                           bytes({0x04, 'W', 'o', 'r', 'k'}) +       // entry
                           bytes({0x80, 0x43, 0x6D, 0x38}) +         // time
                           bytes({0x1E, 0x00, 0x00, 0x00}) +         // minutes
                           bytes({0x01, 0x00, 0x00, 0x00}) +         // disconnect flag
                           bytes({0x00, 0x00, 0x00, 0x00}) +         // disabled
                           bytes({0x00, 0x00, 0x00, 0x00}) +         // recurrence
                           bytes({0x01, 0x00, 0x00, 0x00});          // number
const std::string kNightRecord = kNight.substr(4);
const std::string kNightFields = "[Night|Work 946684800 30 1 0 0 1]";

// Every field of every task, so that a failure shows which one differs.
std::string fields(const std::optional<CTaskList>& tasks) {
    if (!tasks) {
        return "corrupt";
    }
    std::string text;
    for (const CTasks& t : *tasks) {
        text += "[" + t.m_strName + "|" + t.m_strEntry;
        for (std::int32_t n : {t.m_timeNext, t.m_nMinutes, t.m_bDisconnectAfter, t.m_bDisabled,
                               t.m_nRecurrence, t.m_nNumber}) {
            text += " " + std::to_string(n);
        }
        text += "]";
    }
    return text;
}

using TaskStoreTest = SandboxTest;

TEST_F(TaskStoreTest, GoldenFilesWrittenAndReadBack) {
    const std::string k254(254, 'n');
    const std::string k300(300, 'e');
    const CTasks night("Night", "Work", 946'684'800, 30, 1, kRecurDaily, 1);
    CTasks disabled("Idle", "Lab", -1, 7, 1, kRecurNumber, -5);
    disabled.m_bDisabled = 1;
    disabled.m_bDisconnectAfter = 0;  // the minutes now mean nothing, and stay
    const struct {
        const char* what;
        CTaskList tasks;
        std::string golden;
    } rows[] = {
        {"no tasks", {}, le32(0)},
        {"one daily task", {night}, kNight},
        {"names of 254 and 300 characters",
         {CTasks(k254, k300, 0, 0, 0, kRecurWeekly, 0)},
         le32(1) + short8(k254) + bytes({0xFF, 0x2C, 0x01}) + k300 + le32(0) + le32(0) + le32(0) +
             le32(0) + le32(kRecurWeekly) + le32(0)},
        // Built without a limit, a task keeps no minutes; it is built enabled.
        {"no limit",
         {CTasks("A", "B", 1, 45, 0, kRecurMonthly, 9)},
         tasksFile({{"A", "B", 1, 0, 0, 0, 2, 9}})},
        // Neither by name nor by time.
        {"disabled, two tasks in order",
         {night, disabled},
         le32(2) + kNightRecord + tasksFile({{"Idle", "Lab", -1, 7, 0, 1, 3, -5}}).substr(4)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(store([&row](Archive& ar) { WriteTasks(ar, row.tasks); }), row.golden);
        EXPECT_EQ(fields(load(row.golden, ReadTasks)), fields(row.tasks));
    }
}

TEST_F(TaskStoreTest, WhatAFileReadsAs) {
    const struct {
        const char* what;
        std::string file, fields;
    } rows[] = {
        {"a negative count", le32(INT_MIN) + kNightRecord, ""},
        {"bytes after the last record", kNight + "junk", kNightFields},
        // The file ends before its records do: none of it is kept.
        {"an empty file", "", "corrupt"},
        {"half a count", bytes({1, 0}), "corrupt"},
        {"a count of 2 with one record", le32(2) + kNightRecord, "corrupt"},
        {"a record cut short", kNight.substr(0, 38), "corrupt"},
        // A list made room for by the count up front would ask for hundreds of gigabytes.
        {"a huge count", le32(INT_MAX) + kNightRecord, "corrupt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(fields(load(row.file, ReadTasks)), row.fields);
    }
}

TEST_F(TaskStoreTest, HeadlessAReadErrorKeepsTheTasksReadWhole) {
    const auto name = [](std::size_t i) { return std::string(100, '.') + std::to_string(i); };
    std::string file = le32(100);
    for (std::size_t i = 0; i < 100; ++i) {
        file += short8(name(i)) + short8("Work") + std::string(24, '\1');
    }
    // The archive's second read from the file fails, well inside the hundred tasks.
    driver.injectFault({"C:\\t.dat", fw::test::FileFault::Op::read, fw::FileError::Cause::hardIO,
                        Archive::kDefaultBuffer});
    const std::optional<CTaskList> tasks = load(file, ReadTasks);
    ASSERT_TRUE(tasks.has_value());
    EXPECT_GT(tasks->size(), 1u);
    EXPECT_LT(tasks->size(), 100u);
    for (std::size_t i = 0; i < tasks->size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((*tasks)[i].m_strName, name(i));
        EXPECT_EQ((*tasks)[i].m_nNumber, 0x01010101);
    }
}

}  // namespace
