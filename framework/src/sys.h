// The seam between the portable framework and its two backends (win32/ and headless/). Each
// backend defines every function declared here; the portable code calls nothing else of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls.h"
#include "framework/file.h"
#include "framework/file_dialog.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/shell.h"
#include "framework/types.h"

namespace fw {
class Window;
class Dialog;
namespace test {
struct FileFault;
}
}  // namespace fw

namespace fw::detail {

// Lets the backends set a window's handle.
struct WindowAccess {
    static void setHandle(Window& window, Handle handle);
};

// The window object behind a handle made by the framework, or null.
Window* windowFromHandle(Handle handle);

// True while a test driver runs: timers use the virtual clock, questions are scripted and shell
// calls are recorded.
bool testMode();

}  // namespace fw::detail

namespace fw::sys {

// --- Windows ---------------------------------------------------------------------------------
// Creates a dialog from its template without a modal loop. The backend binds the handle to
// owner (WindowAccess::setHandle) before delivering any message, then delivers wm::kInitDialog
// through owner->dispatch. Returns the handle (null when the platform failed).
Handle createDialog(int templateId, Handle parent, Dialog& owner);
// Runs a dialog with the platform's modal loop until endModal; returns its result (real mode).
int runModalDialog(int templateId, Handle parent, Dialog& owner);
// Ends the platform's modal loop of a dialog run by runModalDialog.
void endModal(Handle dialog, int result);
void destroyWindow(Handle window);
// Stops delivering messages to the window's owner object (which is being destroyed), then
// destroys the window without telling the owner.
void detachWindow(Handle window);

Handle dialogItem(Handle dialog, int id);
int controlId(Handle control);
// The id of the dialog's default push button (kIdOk when none is marked).
int defaultButtonId(Handle dialog);

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
Point screenToClient(Handle window, Point screen);
Point clientToScreen(Handle window, Point client);
void invalidate(Handle window);
void setIcons(Handle window, Handle icon);
void setFocus(Handle window);
Handle focusedWindow();
std::string className(Handle window);
std::uint32_t windowStyle(Handle window);

// Real-mode timers (under test the portable virtual clock keeps them).
void setTimer(Handle window, unsigned id, unsigned ms);
void killTimer(Handle window, unsigned id);

// Any thread.
void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
// Sends through the platform, so default handling applies (closing, system commands).
std::intptr_t sendMessage(Handle window, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam);
// Delivers the messages posted to windows of this thread so far (under test); returns how many
// it delivered.
int deliverPosted();
// Sends a control notification (WM_NOTIFY) from the dialog's control id with this code, in the
// platform's form: the owner's dispatch sees wm::kNotify with wParam = id, lParam = code.
std::intptr_t sendNotify(Handle dialog, int id, int code);
// Real mode: the message loop until postQuit; returns the exit code.
int messageLoop();
void postQuit(int exitCode);

// --- Controls ----------------------------------------------------------------------------------
int checkState(Handle button);
void setCheck(Handle button, int state);
// A click as the mouse gives it: toggles automatic check boxes and radio buttons and sends the
// command to the parent.
void clickButton(Handle button);

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
int listColumnWidth(Handle list, int column);
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
std::pair<int, int> progressRange(Handle bar);
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
MenuItem menuItemAt(Handle menu, int position);
void menuEnableAt(Handle menu, int position, bool enabled);
void menuEnableItem(Handle menu, unsigned id, bool enabled);
void menuCheckItem(Handle menu, unsigned id, bool checked);
// Real mode: shows the menu; the chosen command is sent to the owner before it returns.
void menuTrack(Handle menu, Handle owner, Point screen, unsigned flags);

// --- Questions (real mode; under test the driver answers)
// ------------------------------------------
int messageBox(Handle owner, const std::string& text, const std::string& caption, unsigned type);
std::optional<std::string> fileDialog(Handle owner, const FileDialogRequest& request);
Point cursorPos();

// --- Shell (real mode; under test recorded, and the tray also performed on win32) ---------------
bool trayNotify(TrayOp op, Handle owner, unsigned id, unsigned callbackMessage, Handle icon,
                const std::string& tip);
bool shellExecute(Handle owner, const std::string& verb, const std::string& file, int show);
unsigned winExec(const std::string& commandLine, int show);
bool playSound(const std::string& name, unsigned flags);
void openHelp(Handle owner, const std::string& helpFile);

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
void selectPalette(Handle dc, Handle palette);
unsigned realizePalette(Handle dc);
void selectObject(Handle dc, Handle object);
void fillRectPaletteIndex(Handle dc, const Rect& rect, int index);
void bitBlt(Handle dc, int x, int y, int width, int height, Handle source, int sourceX,
            int sourceY);
void setTransparentBackground(Handle dc);
void setTextColor(Handle dc, std::uint32_t rgb);
void textOut(Handle dc, int x, int y, const std::string& text);
Point textExtent(Handle dc, const std::string& text);
void eraseIconBackground(Handle window, Handle dc);
void drawIcon(Handle dc, int x, int y, Handle icon);
int screenWidth();
int screenHeight();
int systemIconWidth();
int systemIconHeight();
// Frame and view windows.
Handle createFrame(Window& owner, const std::string& caption, int menuId);
Handle createView(Window& owner, Handle frame);
void moveWindow(Handle window, const Rect& rect, bool repaint);

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
bool replaceFile(const std::string& from, const std::string& to);
bool fileExists(const std::string& path);
std::string wideToAnsi(const std::u16string& text);
// Test support. Headless: empties the registry and the sandbox (a C: drive holding the Windows
// folder C:\WINDOWS with its "Desktop" and "Start Menu\Programs\StartUp" folders, current directory
// C:\) and arms file faults. Win32: the sandbox is the real file system; arming a fault stops the
// test.
void resetSandbox();
void injectFileFault(const test::FileFault& fault);

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
long regDeleteTree(const std::string& subKey);

// --- Threads
// ---------------------------------------------------------------------------------------
void setCurrentThreadLowestPriority();

}  // namespace fw::sys
