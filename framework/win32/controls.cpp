// Buttons, combo boxes, progress bars and image lists through their control messages.
#include <windows.h>
// The other platform headers need windows.h first.
#include <commctrl.h>

#include <vector>

#include "handles.h"
#include "instance.h"
#include "sys.h"
#include "system_library.h"

namespace fw::sys {
using win32::send;

int checkState(Handle button) {
    return static_cast<int>(send(button, BM_GETCHECK));
}

void setCheck(Handle button, int state) {
    send(button, BM_SETCHECK, static_cast<WPARAM>(state));
}

int comboAdd(Handle combo, const std::string& text) {
    return static_cast<int>(send(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void comboReset(Handle combo) {
    send(combo, CB_RESETCONTENT);
}

int comboCount(Handle combo) {
    return static_cast<int>(send(combo, CB_GETCOUNT));
}

std::string comboText(Handle combo, int index) {
    auto item = static_cast<WPARAM>(index);
    LRESULT length = send(combo, CB_GETLBTEXTLEN, item);
    if (length == CB_ERR) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    LRESULT copied = send(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

int comboSelectString(Handle combo, int startAfter, const std::string& text) {
    return static_cast<int>(send(combo, CB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                 reinterpret_cast<LPARAM>(text.c_str())));
}

int comboSelection(Handle combo) {
    return static_cast<int>(send(combo, CB_GETCURSEL));
}

void comboSetSelection(Handle combo, int index) {
    send(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void progressSetRange(Handle bar, int low, int high) {
    send(bar, PBM_SETRANGE32, static_cast<WPARAM>(low), high);
}

int progressSetPos(Handle bar, int pos) {
    return static_cast<int>(send(bar, PBM_SETPOS, static_cast<WPARAM>(pos)));
}

int progressPos(Handle bar) {
    return static_cast<int>(send(bar, PBM_GETPOS));
}

int progressSetStep(Handle bar, int step) {
    return static_cast<int>(send(bar, PBM_SETSTEP, static_cast<WPARAM>(step)));
}

int progressStepIt(Handle bar) {
    return static_cast<int>(send(bar, PBM_STEPIT));
}

Handle imageListFromBitmap(int bitmapId, int imageWidth, std::uint32_t transparentRgb, int* count) {
    // Nothing is ever added to these lists, so the growth step does not matter: CLR_DEFAULT is the
    // value the programs have always passed there, and the library raises it to its minimum.
    // The list views that show them have loaded the library already.
    using Load = HIMAGELIST(WINAPI*)(HINSTANCE, LPCSTR, int, int, COLORREF, UINT, UINT);
    using Count = int(WINAPI*)(HIMAGELIST);
    static const auto load = win32::systemFunction<Load>("comctl32.dll", "ImageList_LoadImageA");
    static const auto imageCount =
        win32::systemFunction<Count>("comctl32.dll", "ImageList_GetImageCount");
    HIMAGELIST list = load == nullptr ? nullptr
                                      : load(win32::programInstance(), MAKEINTRESOURCEA(bitmapId),
                                             imageWidth, static_cast<int>(CLR_DEFAULT),
                                             transparentRgb, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (count != nullptr) {
        *count = list == nullptr ? 0 : imageCount(list);
    }
    return list;
}

void imageListDestroy(Handle imageList) {
    using Destroy = BOOL(WINAPI*)(HIMAGELIST);
    static const auto destroy = win32::systemFunction<Destroy>("comctl32.dll", "ImageList_Destroy");
    if (destroy != nullptr) {
        destroy(win32::asImageList(imageList));
    }
}

}  // namespace fw::sys
