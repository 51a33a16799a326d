// The ".dnx" entry file that Options imports: ReadDnx over any bytes, and for an entry that
// loads, a stable round trip through WriteDnx.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "dialer/options/dnx_file.h"
#include "framework/file_error.h"
#include "fuzz_support.h"

namespace {

// The most a single allocation may take per input byte: values are at most 999 bytes (within
// the slack) and the name no longer than the data; the sandbox's copy of a file saved again
// grows by doubling.
constexpr std::size_t kGrowth = 2;

// The entry, or nothing when the file is not one or ends early, as Options takes it: the end of
// the data is the only error the archive may raise here.
std::optional<DnxEntry> read(fw::Archive& ar) {
    try {
        return ReadDnx(ar);
    } catch (const fw::FileError& error) {
        fuzz::check(error.cause() == fw::FileError::Cause::endOfFile,
                    "the only file error of a read is the end of the data");
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::loadSaveLoad(data, size, kGrowth, read, WriteDnx,
                       [](const DnxEntry& loaded, const DnxEntry& again) {
                           for (const std::optional<RegValue>& value : loaded.values) {
                               fuzz::check(!value || value->data.size() <= kTransferBufferSize,
                                           "no value beyond the transfer buffer");
                           }
                           fuzz::check(again.name == loaded.name && again.values == loaded.values,
                                       "a saved entry loads as the same entry");
                       });
    return 0;
}
