// The seam between the portable framework and its two backends (win32/ and headless/). Each
// backend defines every function declared here; the portable code calls nothing else of them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls.h"
#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/types.h"

namespace fw {
class Window;
class Dialog;
}  // namespace fw

namespace fw::detail {

// Lets the backends set a window's handle.
struct WindowAccess {
    static void setHandle(Window& window, Handle handle);
};

}  // namespace fw::detail

namespace fw::sys {

// --- Windows ---------------------------------------------------------------------------------
// Creates a frame window, hidden, with its menu resource, and a view, visible, that fills the
// frame's client area. Each binds its handle to owner before delivering wm::kCreate; when the
// owner refuses it (-1) the window is destroyed and the result is null.
Handle createFrame(Window& owner, const std::string& caption, int menuId);
Handle createView(Window& owner, Handle frame);
// A frame's view follows its new size.
void moveWindow(Handle window, const Rect& rect, bool repaint);
void destroyWindow(Handle window);
// Stops delivering messages to the window's owner object (which is being destroyed), then
// destroys the window without telling the owner.
void detachWindow(Handle window);

Handle dialogItem(Handle dialog, int id);

std::string windowText(Handle window);
void setWindowText(Handle window, const std::string& text);
void enableWindow(Handle window, bool enabled);
bool isWindowEnabled(Handle window);
enum class Show { hide, show, minimize, restore };
void showWindow(Handle window, Show how);
bool isWindowVisible(Handle window);
bool isMinimized(Handle window);
Rect clientRect(Handle window);
// Screen coordinates, borders included.
Rect windowRect(Handle window);
Point clientToScreen(Handle window, Point client);
Point screenToClient(Handle window, Point screen);
void invalidate(Handle window);
// Repaints the window and all its controls now, whatever they think needs painting.
void updateWindow(Handle window);
void setIcons(Handle window, Handle icon);
void setFocus(Handle window);
std::string className(Handle window);

// Any thread.
void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
// Sends through the platform, so default handling applies (closing, system commands).
std::intptr_t sendMessage(Handle window, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam);
// Drops the messages of this kind posted to the window and not yet delivered.
void discardPosted(Handle window, unsigned message);
// The id of a message registered by name (windows' thread only).
unsigned registerMessage(const std::string& name);

// --- Controls ----------------------------------------------------------------------------------
int checkState(Handle button);
void setCheck(Handle button, int state);

int comboAdd(Handle combo, const std::string& text);
void comboReset(Handle combo);
int comboCount(Handle combo);
std::string comboText(Handle combo, int index);
int comboSelectString(Handle combo, int startAfter, const std::string& text);
int comboSelection(Handle combo);
void comboSetSelection(Handle combo, int index);

int listInsertColumn(Handle list, int column, const std::string& heading, int width, Align align);
int listColumnCount(Handle list);
std::string listColumnHeading(Handle list, int column);
void listSetSmallImages(Handle list, Handle imageList);
int listInsertItem(Handle list, int row, const std::string& text, int image);
bool listSetItemText(Handle list, int row, int column, const std::string& text);
std::string listItemText(Handle list, int row, int column);
bool listSetItemImage(Handle list, int row, int image);
int listItemImage(Handle list, int row);
bool listDeleteItem(Handle list, int row);
void listDeleteAll(Handle list);
int listItemCount(Handle list);
Rect listItemRect(Handle list, int row);
int listHitTest(Handle list, Point client);
void listRedrawItems(Handle list, int first, int last);

void progressSetRange(Handle bar, int low, int high);
int progressSetPos(Handle bar, int pos);
int progressPos(Handle bar);
int progressSetStep(Handle bar, int step);
int progressStepIt(Handle bar);

// Returns the image list (null on failure) and the number of images.
Handle imageListFromBitmap(int bitmapId, int imageWidth, std::uint32_t transparentRgb, int* count);
void imageListDestroy(Handle imageList);

// --- Menus -------------------------------------------------------------------------------------
Handle menuCreatePopup();
void menuDestroy(Handle menu);
Handle systemMenu(Handle window);
void menuAppend(Handle menu, const MenuItem& item);
int menuCount(Handle menu);
void menuEnableAt(Handle menu, int position, bool enabled);
void menuEnableItem(Handle menu, unsigned id, bool enabled);
void menuCheckItem(Handle menu, unsigned id, bool checked);

// --- Resources ---------------------------------------------------------------------------------
std::string loadString(int id);
Handle loadIcon(int id);

// --- Drawing -------------------------------------------------------------------------------------
Handle createPalette(const std::vector<PaletteEntry>& entries);
Handle createFont(const FontSpec& spec);
Handle createCompatibleBitmap(Handle dc, int width, int height);
void deleteObject(Handle object);
Handle getClientDC(Handle window);
void releaseDC(Handle window, Handle dc);
Handle createCompatibleDC(Handle dc);
void deleteDC(Handle dc);
// Selects and realizes a palette.
void usePalette(Handle dc, Handle palette);
// A bitmap or a font.
void selectObject(Handle dc, Handle object);
void fillRectWithPaletteIndex(Handle dc, const Rect& rect, int index);
void bitBlt(Handle dc, const Rect& to, Handle source, Point from);
void setTransparentBackground(Handle dc);
void setTextColor(Handle dc, std::uint32_t rgb);
void textOut(Handle dc, int x, int y, const std::string& text);
Size textExtent(Handle dc, const std::string& text);
void eraseIconBackground(Handle window, Handle dc);
void drawIcon(Handle dc, int x, int y, Handle icon);
int screenWidth();
int screenHeight();
int systemIconWidth();
int systemIconHeight();

// --- Files ---------------------------------------------------------------------------------------
// Each raises FileError for its cause, naming the file as the framework passes it.
Handle fileOpen(const std::string& name, FileMode mode);
std::size_t fileRead(Handle file, void* data, std::size_t size, const std::string& path);
void fileWrite(Handle file, const void* data, std::size_t size, const std::string& path);
std::uint64_t fileLength(Handle file, const std::string& path);
std::uint64_t filePosition(Handle file, const std::string& path);
void fileClose(Handle file, const std::string& path);
std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);
std::string windowsDirectory();
std::string fullPath(const std::string& name);
bool createDirectory(const std::string& path);
bool deleteFile(const std::string& path);
// Raises FileError naming to as given.
void replaceFile(const std::string& from, const std::string& to);
std::string wideToAnsi(const std::u16string& text);

// --- Registry (HKEY_CURRENT_USER)
// -----------------------------------------------------------------
long regOpen(const std::string& subKey, bool create, void** key);
long regClose(void* key);
long regQuery(void* key, const std::string& name, void* data, std::uint32_t* size,
              std::uint32_t* type);
long regSet(void* key, const std::string& name, std::uint32_t type, const void* data,
            std::uint32_t size);
long regDeleteValue(void* key, const std::string& name);
long regEnumValue(void* key, std::uint32_t index, std::string* name);

// --- Time
// ------------------------------------------------------------------------------------------
// Milliseconds since 1970-01-01 00:00:00 UTC.
std::int64_t wallClockMs();
// Milliseconds on a clock that never jumps, read on the windows' thread.
std::int64_t tickMs();

// --- Threads, locks and events ------------------------------------------------------------------
// A thread running entry(argument); null when it could not start. joinThread waits for its end
// and frees it.
Handle startThread(void (*entry)(void*), void* argument);
void joinThread(Handle thread);
void setCurrentThreadLowestPriority();
// Holds the calling thread for ms milliseconds.
void sleep(std::int64_t ms);

Handle createLock();
void destroyLock(Handle lock);
void acquireLock(Handle lock);
void releaseLock(Handle lock);

// An event that stays set until a wait takes it.
Handle createEvent();
void destroyEvent(Handle event);
void setEvent(Handle event);
// Until the event is set (true) or timeoutMs have passed (false); a negative time waits without
// limit.
bool waitEvent(Handle event, std::int64_t timeoutMs);
// Until the event is set (true) or the wall clock reaches deadlineMs, milliseconds since 1970
// (false), however the clock is set meanwhile and however long the computer sleeps.
bool waitEventUntil(Handle event, std::int64_t deadlineMs);

}  // namespace fw::sys
