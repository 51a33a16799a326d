// Drawing through GDI: palettes, fonts, bitmaps, device contexts, text and icons.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "handles.h"
#include "sys.h"

namespace fw::sys {

using win32::asDc;
using win32::asGdiObject;

Handle createPalette(const std::vector<PaletteEntry>& entries) {
    // LOGPALETTE ends in a one-entry array that really holds all the entries.
    std::vector<std::byte> storage(offsetof(LOGPALETTE, palPalEntry) +
                                   sizeof(PALETTEENTRY) * std::max<std::size_t>(entries.size(), 1));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries.size());
    PALETTEENTRY* out = palette->palPalEntry;
    for (const PaletteEntry& entry : entries) {
        *out++ = PALETTEENTRY{entry.red, entry.green, entry.blue, entry.flags};
    }
    return CreatePalette(palette);
}

Handle createFont(const FontSpec& spec) {
    return CreateFontA(spec.height, spec.width, 0, 0, spec.weight, spec.italic, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, spec.face.c_str());
}

Handle createCompatibleBitmap(Handle dc, int width, int height) {
    return CreateCompatibleBitmap(asDc(dc), width, height);
}

void deleteObject(Handle object) {
    DeleteObject(asGdiObject(object));
}

Handle getClientDC(Handle window) {
    return GetDC(win32::asWindow(window));
}

void releaseDC(Handle window, Handle dc) {
    ReleaseDC(win32::asWindow(window), asDc(dc));
}

Handle createCompatibleDC(Handle dc) {
    return CreateCompatibleDC(asDc(dc));
}

void deleteDC(Handle dc) {
    DeleteDC(asDc(dc));
}

void usePalette(Handle dc, Handle palette) {
    SelectPalette(asDc(dc), static_cast<HPALETTE>(palette), FALSE);
    RealizePalette(asDc(dc));
}

void selectObject(Handle dc, Handle object) {
    SelectObject(asDc(dc), asGdiObject(object));
}

void fillRectWithPaletteIndex(Handle dc, const Rect& rect, int index) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    HBRUSH brush = CreateSolidBrush(PALETTEINDEX(index));
    FillRect(asDc(dc), &area, brush);
    DeleteObject(brush);
}

void bitBlt(Handle dc, const Rect& to, Handle source, Point from) {
    BitBlt(asDc(dc), to.left, to.top, to.width(), to.height(), asDc(source), from.x, from.y,
           SRCCOPY);
}

void setTransparentBackground(Handle dc) {
    SetBkMode(asDc(dc), TRANSPARENT);
}

void setTextColor(Handle dc, std::uint32_t rgb) {
    SetTextColor(asDc(dc), rgb);
}

void textOut(Handle dc, int x, int y, const std::string& text) {
    TextOutA(asDc(dc), x, y, text.c_str(), static_cast<int>(text.size()));
}

Size textExtent(Handle dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(asDc(dc), text.c_str(), static_cast<int>(text.size()), &size);
    return Size{size.cx, size.cy};
}

void eraseIconBackground(Handle window, Handle dc) {
    SendMessageA(win32::asWindow(window), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

void drawIcon(Handle dc, int x, int y, Handle icon) {
    DrawIcon(asDc(dc), x, y, win32::asIcon(icon));
}

int screenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int screenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

int systemIconWidth() {
    return GetSystemMetrics(SM_CXICON);
}

int systemIconHeight() {
    return GetSystemMetrics(SM_CYICON);
}

}  // namespace fw::sys
