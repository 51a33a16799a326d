// The resources linked into the program: the bytes of its compiled .rc script (see
// cmake/resources.cmake), read once.
#pragma once

#include "handles.h"
#include "res_file.h"

namespace fw::headless {

const ResFile& programResources();

// An icon resource; loading the same id again gives the same handle, as the platform does.
struct IconObject : Object {
    explicit IconObject(int resourceId) : id(resourceId) {}
    int id;
};

// An image list cut from a bitmap resource: nothing is drawn, so only the images' height is kept.
struct ImageListObject : Object {
    explicit ImageListObject(int height) : imageHeight(height) {}
    int imageHeight;
};

}  // namespace fw::headless
