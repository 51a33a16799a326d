#include "platform/ras/phonebook.h"

#include <algorithm>
#include <cstdint>

#include "dialer/ras/entry_name.h"
#include "dialer/ras/ras_records.h"
#include "framework/registry.h"

namespace ras::sim {

namespace reg = fw::reg;

const char* const kAddressesKey = "RemoteAccess\\Addresses";

namespace {

// Room for any value this service writes, with some to spare; a larger value is damaged.
constexpr std::uint32_t kValueRoom = 1024;

}  // namespace

std::string profileKey(const std::string& entryName) {
    return "RemoteAccess\\Profile\\" + entryName;
}

std::vector<std::string> entryNames() {
    std::vector<std::string> names;
    reg::Key key;
    if (key.open(kAddressesKey) != reg::kSuccess) {
        return names;
    }
    std::string name;
    for (std::uint32_t index = 0; key.enumValue(index, &name) == reg::kSuccess; ++index) {
        if (isEntryName(name)) {
            names.push_back(name);
        }
    }
    return names;
}

std::optional<Entry> readEntry(const std::string& name) {
    if (!isEntryName(name)) {
        return std::nullopt;
    }
    reg::Key key;
    if (key.open(kAddressesKey) != reg::kSuccess) {
        return std::nullopt;
    }
    std::vector<unsigned char> data(kValueRoom);
    std::uint32_t size = kValueRoom;
    std::uint32_t type = reg::kNone;
    const long result = key.query(name, data.data(), &size, &type);
    if (result == reg::kMoreData) {
        return Entry{};
    }
    if (result != reg::kSuccess) {
        return std::nullopt;
    }
    return decodeEntry(data.data(), std::min(size, kValueRoom));
}

bool writeEntry(const std::string& name, const Entry& entry) {
    reg::Key key;
    if (key.create(kAddressesKey) != reg::kSuccess) {
        return false;
    }
    const std::vector<unsigned char> data = encodeEntry(entry);
    return key.set(name, reg::kBinary, data.data(), static_cast<std::uint32_t>(data.size())) ==
           reg::kSuccess;
}

void writeProfile(const std::string& name) {
    reg::Key key;
    if (key.create(profileKey(name)) != reg::kSuccess) {
        return;
    }
    const unsigned char zeros[8] = {};
    const std::uint32_t ppp = 1;
    const std::uint32_t oneLine = 0;
    key.set("IP", reg::kBinary, zeros, sizeof zeros);
    key.set("Mode", reg::kDword, &ppp, sizeof ppp);
    key.set("MultiLink", reg::kDword, &oneLine, sizeof oneLine);
    key.set("PPPScript", reg::kString, "", 1);
    key.set("Terminal", reg::kBinary, zeros, sizeof zeros);
    key.set("User", reg::kString, "", 1);
}

std::string newEntryNameProblem(const std::string& name) {
    if (name.empty()) {
        return "Type a name for the dial-up entry.";
    }
    if (name.size() > kMaxEntryName) {
        return "The name of a dial-up entry can have at most 256 characters.";
    }
    // What is left to refuse is a character.
    if (!isEntryName(name)) {
        return "The name of a dial-up entry cannot contain a backslash (\\) or a control "
               "character.";
    }
    if (readEntry(name).has_value()) {
        return "A dial-up entry named \"" + name + "\" already exists.";
    }
    return {};
}

}  // namespace ras::sim
