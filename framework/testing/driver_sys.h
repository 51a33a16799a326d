// What the test driver asks of a backend that the programs themselves never ask: each backend
// defines these (the win32 backend's in framework/testing/win32/, so that no program users get
// holds them).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "framework/menu.h"
#include "framework/types.h"

namespace fw {
class Dialog;
}

namespace fw::sys {

// Creates a dialog from its template without a modal loop. The backend binds the handle to
// owner (WindowAccess::setHandle) before delivering any message, then delivers wm::kInitDialog
// through owner->dispatch. Returns the handle (null when the platform failed).
Handle createDialog(int templateId, Handle parent, Dialog& owner);
// The id of the dialog's default push button (kIdOk when none is marked).
int defaultButtonId(Handle dialog);
// Delivers the messages posted to windows of this thread so far, calling afterEach after each
// (the test driver's step); returns how many it delivered.
int deliverPosted(const std::function<void()>& afterEach);
// Sends a control notification (WM_NOTIFY) from the dialog's control id with this code, in the
// platform's form: the owner's dispatch sees wm::kNotify with wParam = id, lParam = code.
std::intptr_t sendNotify(Handle dialog, int id, int code);
// A click as the mouse gives it: toggles automatic check boxes and radio buttons and sends the
// command to the parent.
void clickButton(Handle button);

Handle focusedWindow();
std::uint32_t windowStyle(Handle window);
int listColumnWidth(Handle list, int column);
std::pair<int, int> progressRange(Handle bar);
MenuItem menuItemAt(Handle menu, int position);
long regDeleteTree(const std::string& subKey);
bool fileExists(const std::string& path);

}  // namespace fw::sys
