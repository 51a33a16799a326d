// "Ondrel.dat", the settings file: ReadSettings over any bytes, and for those that load, a stable
// round trip through WriteSettings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialer/settings/settings_store.h"
#include "fuzz_support.h"

namespace {

// The most a single allocation may take per input byte: each remembered entry takes at least
// three bytes of the file (three empty strings) and adds a std::string to each of the three
// lists, whose storage grows by doubling: 2 * sizeof(std::string) / 3 bytes per byte, rounded
// up. Strings themselves are never longer than the data (the archive checks lengths first).
constexpr std::size_t kMinEntryBytes = 3;
constexpr std::size_t kGrowth = (2 * sizeof(std::string) + kMinEntryBytes - 1) / kMinEntryBytes;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Only the end of the data can stop the read: the sandbox arms no other fault.
    fuzz::loadSaveLoad(data, size, kGrowth, ReadSettings, WriteSettings,
                       [](const CSettings& loaded, const CSettings&) {
                           fuzz::check(
                               loaded.m_nEntryCount >= 0 &&
                                   static_cast<std::size_t>(loaded.m_nEntryCount) ==
                                       loaded.m_astrEntryNames.size() &&
                                   loaded.m_astrUserIds.size() == loaded.m_astrEntryNames.size() &&
                                   loaded.m_astrPasswords.size() == loaded.m_astrEntryNames.size(),
                               "a loaded record's count and its three lists agree");
                       });
    return 0;
}
