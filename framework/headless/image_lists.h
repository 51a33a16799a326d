// Image lists cut from a bitmap resource: nothing is drawn, so only the images' height is kept,
// which sets the height of a list view's rows.
#pragma once

#include "handles.h"

namespace fw::headless {

struct ImageListObject : Object {
    explicit ImageListObject(int height) : imageHeight(height) {}
    int imageHeight;
};

}  // namespace fw::headless
