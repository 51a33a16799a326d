// Image lists cut from bitmap resources.
#include <windows.h>
// The other platform headers need windows.h first.
#include <commctrl.h>

#include "handles.h"
#include "resources.h"
#include "sys.h"

namespace fw::sys {

Handle imageListFromBitmap(int bitmapId, int imageWidth, std::uint32_t transparentRgb, int* count) {
    // Nothing is ever added to these lists, so the growth step does not matter: CLR_DEFAULT is the
    // value the programs have always passed there, and the library raises it to its minimum.
    HIMAGELIST list = ImageList_LoadImageA(win32::programInstance(), MAKEINTRESOURCEA(bitmapId),
                                           imageWidth, static_cast<int>(CLR_DEFAULT),
                                           transparentRgb, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (count != nullptr) {
        *count = list == nullptr ? 0 : ImageList_GetImageCount(list);
    }
    return list;
}

void imageListDestroy(Handle imageList) {
    ImageList_Destroy(win32::asImageList(imageList));
}

}  // namespace fw::sys
