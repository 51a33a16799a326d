// The headless registry: an in-memory tree under HKEY_CURRENT_USER with case-blind key and value
// names, answering with the platform's error codes.
#include "framework/registry.h"

#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "driver_sys.h"
#include "sandbox.h"
#include "sys.h"

namespace fw::sys {

namespace {

using headless::foldCase;

constexpr long kInvalidHandle = 6;
// The platform refuses longer key names.
constexpr std::size_t kMaxKeyName = 255;

struct Value {
    std::string name;  // as first written
    std::uint32_t type = reg::kNone;
    std::vector<unsigned char> data;
};

struct RegKey {
    std::map<std::string, std::shared_ptr<RegKey>> children;  // by folded name
    std::map<std::string, Value> values;                      // by folded name
};

// The names of a path separated by backslashes, folded; empty names are skipped.
std::vector<std::string> pathNames(const std::string& subKey) {
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= subKey.size();) {
        const std::size_t end = std::min(subKey.find('\\', start), subKey.size());
        if (end > start) {
            names.push_back(foldCase(subKey.substr(start, end - start)));
        }
        start = end + 1;
    }
    return names;
}

struct Registry {
    std::mutex mutex;
    std::shared_ptr<RegKey> root = std::make_shared<RegKey>();
    // Each open is a handle of its own, as RegOpenKeyEx gives.
    std::map<void*, std::shared_ptr<RegKey>> open;
    std::uintptr_t nextHandle = 0x20000;

    // The key behind a handle, or the error code for a bad one. A handle keeps a key that was
    // deleted meanwhile, detached from the tree.
    long find(void* handle, RegKey** key) {
        const auto it = open.find(handle);
        if (it == open.end()) {
            return kInvalidHandle;
        }
        *key = it->second.get();
        return reg::kSuccess;
    }
};

Registry& registry() {
    static Registry instance;
    return instance;
}

}  // namespace

long regOpen(const std::string& subKey, bool create, void** key) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    *key = nullptr;
    std::shared_ptr<RegKey> found = r.root;
    for (const std::string& name : pathNames(subKey)) {
        if (name.size() > kMaxKeyName) {
            return reg::kInvalidParameter;
        }
        auto& child = found->children[name];
        if (child == nullptr && !create) {
            found->children.erase(name);
            return reg::kFileNotFound;
        }
        if (child == nullptr) {
            child = std::make_shared<RegKey>();
        }
        found = child;
    }
    *key = reinterpret_cast<void*>(r.nextHandle += 4);
    r.open[*key] = std::move(found);
    return reg::kSuccess;
}

long regClose(void* key) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    return r.open.erase(key) == 0 ? kInvalidHandle : reg::kSuccess;
}

long regQuery(void* key, const std::string& name, void* data, std::uint32_t* size,
              std::uint32_t* type) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    RegKey* found = nullptr;
    if (const long error = r.find(key, &found); error != reg::kSuccess) {
        return error;
    }
    const auto it = found->values.find(foldCase(name));
    if (it == found->values.end()) {
        return reg::kFileNotFound;
    }
    if (data != nullptr && size == nullptr) {
        return reg::kInvalidParameter;
    }
    const Value& value = it->second;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (type != nullptr) {
        *type = value.type;
    }
    const bool fits = data == nullptr || *size >= needed;
    if (size != nullptr) {
        *size = needed;
    }
    if (!fits) {
        return reg::kMoreData;
    }
    if (data != nullptr && needed > 0) {
        std::memcpy(data, value.data.data(), needed);
    }
    return reg::kSuccess;
}

long regSet(void* key, const std::string& name, std::uint32_t type, const void* data,
            std::uint32_t size) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    RegKey* found = nullptr;
    if (const long error = r.find(key, &found); error != reg::kSuccess) {
        return error;
    }
    if (data == nullptr && size != 0) {
        return reg::kInvalidParameter;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    // A value written again under another spelling keeps its first name, as on Windows.
    Value& value = found->values.try_emplace(foldCase(name), Value{name, {}, {}}).first->second;
    value.type = type;
    value.data.assign(bytes, bytes + size);
    return reg::kSuccess;
}

long regDeleteValue(void* key, const std::string& name) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    RegKey* found = nullptr;
    if (const long error = r.find(key, &found); error != reg::kSuccess) {
        return error;
    }
    return found->values.erase(foldCase(name)) == 0 ? reg::kFileNotFound : reg::kSuccess;
}

// Names come in the order of their folded form, as Wine keeps them.
long regEnumValue(void* key, std::uint32_t index, std::string* name) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    RegKey* found = nullptr;
    if (const long error = r.find(key, &found); error != reg::kSuccess) {
        return error;
    }
    if (index >= found->values.size()) {
        return reg::kNoMoreItems;
    }
    *name = std::next(found->values.begin(), index)->second.name;
    return reg::kSuccess;
}

long regDeleteTree(const std::string& subKey) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::vector<std::string> names = pathNames(subKey);
    if (names.empty()) {
        return reg::kInvalidParameter;
    }
    RegKey* parent = r.root.get();
    for (std::size_t i = 0; i + 1 < names.size() && parent != nullptr; ++i) {
        const auto it = parent->children.find(names[i]);
        parent = it != parent->children.end() ? it->second.get() : nullptr;
    }
    if (parent == nullptr || !parent->children.contains(names.back())) {
        return reg::kFileNotFound;
    }
    parent->children.erase(names.back());
    return reg::kSuccess;
}

}  // namespace fw::sys

namespace fw::headless {

void resetRegistry() {
    sys::Registry& r = sys::registry();
    std::lock_guard lock(r.mutex);
    r.root = std::make_shared<sys::RegKey>();
}

}  // namespace fw::headless
