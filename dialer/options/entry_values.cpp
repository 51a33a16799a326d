#include "dialer/options/entry_values.h"

#include "framework/registry.h"

namespace {

namespace reg = fw::reg;

constexpr const char* kAddressesKey = "RemoteAccess\\Addresses";

std::string profileKey(const std::string& entryName) {
    return "RemoteAccess\\Profile\\" + entryName;
}

// One buffer serves every query; its full size is offered each time, so that one value's size
// never limits the next.
using TransferBuffer = std::array<unsigned char, kTransferBufferSize>;

std::optional<RegValue> queryValue(const reg::Key& key, const std::string& name,
                                   TransferBuffer& buffer) {
    if (!key.isOpen()) {
        return std::nullopt;
    }
    std::uint32_t size = kTransferBufferSize;
    std::uint32_t type = reg::kNone;
    if (key.query(name, buffer.data(), &size, &type) != reg::kSuccess) {
        return std::nullopt;
    }
    return RegValue{type, {buffer.begin(), buffer.begin() + size}};
}

void setValue(reg::Key& key, const std::string& name, const RegValue& value) {
    key.set(name, value.type, value.data.data(), static_cast<std::uint32_t>(value.data.size()));
}

}  // namespace

EntryValues ReadEntryValues(const std::string& entryName) {
    TransferBuffer buffer;
    EntryValues values;
    {
        reg::Key addresses;
        addresses.open(kAddressesKey);
        values[0] = queryValue(addresses, entryName, buffer);
    }
    reg::Key profile;
    profile.open(profileKey(entryName));
    for (std::size_t i = 0; i < kProfileValueNames.size(); ++i) {
        values[i + 1] = queryValue(profile, kProfileValueNames[i], buffer);
    }
    return values;
}

bool WriteEntryValues(const std::string& entryName, const EntryValues& values) {
    reg::Key addresses;
    addresses.open(kAddressesKey);
    if (values[0] && addresses.isOpen()) {
        setValue(addresses, entryName, *values[0]);
    }
    reg::Key profile;
    if (profile.create(profileKey(entryName)) == reg::kSuccess) {
        for (std::size_t i = 0; i < kProfileValueNames.size(); ++i) {
            if (values[i + 1]) {
                setValue(profile, kProfileValueNames[i], *values[i + 1]);
            }
        }
    }
    std::uint32_t size = 0;
    return addresses.isOpen() &&
           addresses.query(entryName, nullptr, &size, nullptr) == reg::kSuccess;
}
