#include "handles.h"

#include <cstdint>
#include <map>
#include <vector>

namespace fw::headless {

namespace {

struct Table {
    std::map<std::uintptr_t, std::unique_ptr<Object>> objects;
    // Starts well above zero so that no handle looks like a small number or null.
    std::uintptr_t next = 0x10000;
};

Table& table() {
    static Table instance;
    return instance;
}

}  // namespace

Handle addObject(std::unique_ptr<Object> object) {
    Table& t = table();
    std::uintptr_t key = t.next;
    t.next += 4;
    t.objects.emplace(key, std::move(object));
    return reinterpret_cast<Handle>(key);
}

void removeObject(Handle handle) {
    table().objects.erase(reinterpret_cast<std::uintptr_t>(handle));
}

Object* findObject(Handle handle) {
    auto& objects = table().objects;
    auto it = objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it != objects.end() ? it->second.get() : nullptr;
}

void forEachObject(const std::function<void(Handle, Object&)>& visit) {
    // A visit may make or remove objects: take the keys first and look each one up again.
    std::vector<std::uintptr_t> keys;
    for (const auto& entry : table().objects) {
        keys.push_back(entry.first);
    }
    for (std::uintptr_t key : keys) {
        Handle handle = reinterpret_cast<Handle>(key);
        if (Object* object = findObject(handle)) {
            visit(handle, *object);
        }
    }
}

}  // namespace fw::headless
