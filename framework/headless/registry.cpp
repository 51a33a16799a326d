// The headless registry: an in-memory tree under HKEY_CURRENT_USER with case-blind key and value
// names, answering with the platform's error codes.
#include "framework/registry.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "sandbox.h"
#include "sys.h"

namespace fw::sys {

namespace {

using headless::foldCase;

constexpr long kInvalidHandle = 6;
constexpr long kKeyDeleted = 1018;

struct Value {
    std::string name;  // as first written
    std::uint32_t type = reg::kNone;
    std::vector<unsigned char> data;
};

struct RegKey {
    std::map<std::string, std::shared_ptr<RegKey>> children;  // by folded name
    std::map<std::string, Value> values;                      // by folded name
    bool deleted = false;

    // Keys still open on a deleted key answer kKeyDeleted, as on Windows.
    void markDeleted() {
        deleted = true;
        for (auto& [name, child] : children) {
            child->markDeleted();
        }
    }
};

// An open key; its address is the handle.
struct OpenKey {
    std::shared_ptr<RegKey> key;
};

struct Registry {
    std::mutex mutex;
    std::shared_ptr<RegKey> root = std::make_shared<RegKey>();
    std::map<void*, std::unique_ptr<OpenKey>> open;

    // The key at a path of names separated by backslashes; created when asked.
    std::shared_ptr<RegKey> walk(const std::string& subKey, bool create) {
        std::shared_ptr<RegKey> key = root;
        std::size_t start = 0;
        while (start <= subKey.size() && key != nullptr) {
            const std::size_t end = std::min(subKey.find('\\', start), subKey.size());
            const std::string name = foldCase(subKey.substr(start, end - start));
            start = end + 1;
            if (name.empty()) {
                continue;
            }
            auto it = key->children.find(name);
            if (it == key->children.end()) {
                if (!create) {
                    return nullptr;
                }
                it = key->children.emplace(name, std::make_shared<RegKey>()).first;
            }
            key = it->second;
        }
        return key;
    }

    // The open key behind a handle, or the error code for a bad or deleted one.
    long find(void* handle, RegKey** key) {
        const auto it = open.find(handle);
        if (it == open.end()) {
            return kInvalidHandle;
        }
        *key = it->second->key.get();
        return (*key)->deleted ? kKeyDeleted : reg::kSuccess;
    }
};

Registry& registry() {
    static Registry instance;
    return instance;
}

constexpr std::size_t kMaxKeyName = 255;

}  // namespace

long regOpen(const std::string& subKey, bool create, void** key) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    *key = nullptr;
    // The platform refuses key names longer than 255 characters.
    std::size_t start = 0;
    while (start <= subKey.size()) {
        std::size_t end = subKey.find('\\', start);
        if (end == std::string::npos) {
            end = subKey.size();
        }
        if (end - start > kMaxKeyName) {
            return reg::kInvalidParameter;
        }
        start = end + 1;
    }
    std::shared_ptr<RegKey> found = r.walk(subKey, create);
    if (found == nullptr) {
        return reg::kFileNotFound;
    }
    // Each open is a handle of its own, as RegOpenKeyEx gives.
    auto handle = std::make_unique<OpenKey>(OpenKey{std::move(found)});
    *key = handle.get();
    r.open[*key] = std::move(handle);
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
    const Value& value = it->second;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (data != nullptr && size == nullptr) {
        return reg::kInvalidParameter;
    }
    if (type != nullptr) {
        *type = value.type;
    }
    if (data == nullptr) {
        if (size != nullptr) {
            *size = needed;
        }
        return reg::kSuccess;
    }
    const bool fits = *size >= needed;
    *size = needed;
    if (!fits) {
        return reg::kMoreData;
    }
    std::memcpy(data, value.data.data(), needed);
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
    Value& value =
        found->values.try_emplace(foldCase(name), Value{name, reg::kNone, {}}).first->second;
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
    const std::size_t split = subKey.find_last_of('\\');
    const std::string parentPath = split == std::string::npos ? "" : subKey.substr(0, split);
    const std::string name =
        foldCase(split == std::string::npos ? subKey : subKey.substr(split + 1));
    if (name.empty()) {
        return reg::kInvalidParameter;
    }
    const std::shared_ptr<RegKey> parent = r.walk(parentPath, false);
    if (parent == nullptr || parent->children.count(name) == 0) {
        return reg::kFileNotFound;
    }
    parent->children[name]->markDeleted();
    parent->children.erase(name);
    return reg::kSuccess;
}

}  // namespace fw::sys

namespace fw::headless {

void resetRegistry() {
    sys::Registry& r = sys::registry();
    std::lock_guard lock(r.mutex);
    r.root->markDeleted();
    r.root = std::make_shared<sys::RegKey>();
}

}  // namespace fw::headless
