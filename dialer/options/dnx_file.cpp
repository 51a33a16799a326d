#include "dialer/options/dnx_file.h"

#include <array>

#include "dialer/ras/entry_name.h"
#include "framework/archive.h"

namespace {

constexpr std::array<char, 4> kMagic = {'D', 'N', 'X', '1'};

// Reads one record into value; false when it claims more data than may be read. Any non-zero
// flag means present.
bool readRecord(fw::Archive& ar, std::optional<RegValue>& value) {
    value.reset();
    if (ar.readUInt32() == 0) {
        return true;
    }
    const std::uint32_t size = ar.readUInt32();
    const std::uint32_t type = ar.readUInt32();
    // Checked before allocating: the size is the file's word, not a fact.
    if (size > kTransferBufferSize || size > ar.bytesLeft()) {
        return false;
    }
    value = RegValue{type, std::vector<unsigned char>(size)};
    ar.readBytes(value->data.data(), size);
    return true;
}

}  // namespace

void WriteDnx(fw::Archive& ar, const DnxEntry& entry) {
    ar.writeBytes(kMagic.data(), kMagic.size());
    ar.writeString(entry.name);
    for (const std::optional<RegValue>& value : entry.values) {
        ar.writeUInt32(value ? 1 : 0);
        if (value) {
            ar.writeUInt32(static_cast<std::uint32_t>(value->data.size()));
            ar.writeUInt32(value->type);
            ar.writeBytes(value->data.data(), value->data.size());
        }
    }
}

std::optional<DnxEntry> ReadDnx(fw::Archive& ar) {
    std::array<char, 4> magic{};
    ar.readBytes(magic.data(), magic.size());
    if (magic != kMagic) {
        return std::nullopt;
    }
    DnxEntry entry;
    entry.name = ar.readString();
    if (!ras::isEntryName(entry.name)) {
        return std::nullopt;
    }
    for (std::optional<RegValue>& value : entry.values) {
        if (!readRecord(ar, value)) {
            return std::nullopt;
        }
    }
    return entry;
}
