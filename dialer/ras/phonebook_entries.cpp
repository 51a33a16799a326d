#include "dialer/ras/phonebook_entries.h"

#include <algorithm>
#include <cstddef>

namespace ras {

namespace {

constexpr Dword kEntryRoom = 20;
constexpr Dword kRecordSize = sizeof(EntryNameRecord);

}  // namespace

std::vector<std::string> EnumerateEntryNames(const RemoteAccess& service) {
    if (!service.available()) {
        return {};
    }
    Dword bufferSize = kEntryRoom * kRecordSize;
    Dword entries = 0;
    std::vector<EntryNameRecord> records;
    Dword result = kErrorBufferTooSmall;
    for (int attempt = 0; attempt < 2 && result == kErrorBufferTooSmall; ++attempt) {
        const std::size_t room = (bufferSize + kRecordSize - 1) / kRecordSize;
        records.assign(std::max<std::size_t>(room, 1), EntryNameRecord{});
        records[0].dwSize = kRecordSize;
        bufferSize = static_cast<Dword>(records.size()) * kRecordSize;
        result = service.RasEnumEntriesA(nullptr, nullptr, platformRecord(records.data()),
                                         &bufferSize, &entries);
    }
    const std::size_t written =
        result == kSuccess ? std::min<std::size_t>(entries, records.size()) : 0;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < written; ++i) {
        names.push_back(fieldText(records[i].szEntryName));
    }
    return names;
}

}  // namespace ras
