// The windows of another process, as the end-to-end tool sees them from outside: found by their
// title, read through window messages, polled until they show what a scenario waits for.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace remote {

// A top-level window of another process (shown or hidden) whose title begins with titlePrefix
// and, unless className is empty, of that window class; nullptr when there is none.
HWND findWindow(const std::string& titlePrefix, const std::string& className);

// The window's text, read with WM_GETTEXT; nothing when the window is gone or its thread does
// not answer within two seconds.
std::optional<std::string> windowText(HWND window);

using Reading = std::optional<std::string>;

// Calls read every 100 ms until what it returns is done or the seconds have passed; returns the
// last value read.
Reading waitFor(const std::function<Reading()>& read,
                const std::function<bool(const Reading&)>& done, double seconds);

}  // namespace remote
