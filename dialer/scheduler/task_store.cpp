#include "dialer/scheduler/task_store.h"

#include "framework/archive.h"
#include "framework/file_error.h"

std::optional<CTaskList> ReadTasks(fw::Archive& ar) {
    CTaskList tasks;
    try {
        const std::int32_t count = ar.readInt32();
        // A damaged count runs into the end of the file: the list grows only with what the file
        // holds.
        for (std::int32_t i = 0; i < count; ++i) {
            CTasks task;
            task.Serialize(ar);
            tasks.push_back(std::move(task));
        }
    } catch (const fw::FileError& error) {
        if (error.cause() == fw::FileError::Cause::endOfFile) {
            return std::nullopt;
        }
    }
    return tasks;
}

void WriteTasks(fw::Archive& ar, const CTaskList& tasks) {
    ar.writeInt32(static_cast<std::int32_t>(tasks.size()));
    for (CTasks task : tasks) {
        task.Serialize(ar);
    }
}
