#include "framework/resources.h"

#include "sys.h"

namespace fw {

std::string loadString(int id) {
    return sys::loadString(id);
}

Icon Icon::load(int resourceId) {
    Icon icon;
    icon.id_ = resourceId;
    icon.handle_ = sys::loadIcon(resourceId);
    return icon;
}

}  // namespace fw
