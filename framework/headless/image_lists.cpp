#include "image_lists.h"

#include "program_resources.h"
#include "sys.h"

namespace fw::sys {

// As the platform: a width of 0 takes square images as high as the bitmap, and a bitmap narrower
// than one image gives an empty list.
Handle imageListFromBitmap(int bitmapId, int imageWidth, std::uint32_t /*transparentRgb*/,
                           int* count) {
    std::optional<headless::BitmapSize> size = headless::programResources().bitmap(bitmapId);
    int width = imageWidth == 0 && size ? size->height : imageWidth;
    if (count != nullptr) {
        *count = size && width > 0 ? size->width / width : 0;
    }
    if (!size || width <= 0) {
        return nullptr;
    }
    return headless::addObject(std::make_unique<headless::ImageListObject>(size->height));
}

void imageListDestroy(Handle imageList) {
    if (headless::find<headless::ImageListObject>(imageList) != nullptr) {
        headless::removeObject(imageList);
    }
}

}  // namespace fw::sys
