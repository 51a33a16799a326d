#include "framework/file_copy.h"

#include <cassert>
#include <cstdint>
#include <deque>

#include "framework/file.h"
#include "framework/paths.h"
#include "framework/save_file.h"

namespace fw {

void copyFile(const std::string& source, std::span<const std::string> targets,
              std::span<char> buffer) {
    assert(buffer.size() >= kCopyBlock);
    File from;
    from.open(source, FileMode::read);
    std::deque<ReplacingFile> outputs;
    try {
        for (const std::string& target : targets) {
            // The source is there already, and held open: it could not be replaced anyway.
            if (!samePath(target, source)) {
                outputs.emplace_back(target);
            }
        }
        std::uint64_t requested = 0;
        do {
            requested += kCopyBlock;
            const std::size_t got = from.read(buffer.data(), kCopyBlock);
            for (ReplacingFile& output : outputs) {
                output.file().write(buffer.data(), got);
            }
        } while (from.length() >= requested);
        // Every copy is whole before any takes its place: a failure leaves all the old ones.
        for (ReplacingFile& output : outputs) {
            output.close();
        }
        for (ReplacingFile& output : outputs) {
            output.commit();
        }
    } catch (const FileError& error) {
        FileError named = error;
        for (const ReplacingFile& output : outputs) {
            named = output.named(named);
        }
        throw named;
    }
    from.close();
}

}  // namespace fw
