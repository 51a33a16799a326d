// The objects behind the headless backend's handles: windows, menus, icons, image lists and
// drawing objects. A handle is a number never given out twice, so a handle kept after its object
// went away finds nothing, as on the platform. Used on the thread that runs the windows.
#pragma once

#include <functional>
#include <memory>

#include "framework/types.h"

namespace fw::headless {

struct Object {
    virtual ~Object() = default;
};

Handle addObject(std::unique_ptr<Object> object);
void removeObject(Handle handle);
Object* findObject(Handle handle);
// Visits the live objects in the order they were made.
void forEachObject(const std::function<void(Handle, Object&)>& visit);

// The object behind a handle if it is of this kind, else null.
template <class T>
T* find(Handle handle) {
    return dynamic_cast<T*>(findObject(handle));
}

}  // namespace fw::headless
