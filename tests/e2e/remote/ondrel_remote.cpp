// ondrel-remote: drives a running Ondrel.exe or Setup.exe from outside, for the end-to-end tests
// and the run commands, prepares what the dialer starts with (phonebook entries and settings) and
// reads the shortcuts that Setup leaves. Each command prints
// what it read or did; a failure or a timeout prints the reason on the error stream and exits
// with 1, a wrong command line with 2.
//
// The commands act on the dialer's main window (a dialog whose title begins "Ondrel v1.3"), or
// with "-w <title-prefix>" in front on another top-level window of the dialer, such as a
// question it asks.
#include <shlobj.h>
#include <windows.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialer/settings/settings_store.h"
#include "framework/save_file.h"
#include "other_windows.h"
#include "platform/ras/phonebook.h"

namespace {

constexpr const char* kUsage =
    "usage: ondrel-remote [-w <title-prefix>] <command> [arguments]\n"
    "  add-entry <name> <line> [N] [phone]  a simulated phonebook entry; line: answers, busy,\n"
    "                                       noanswer, nodialtone, rejects, busyfirst, drops\n"
    "  write-settings <file> <entry> [keep-dialing: 0|1]\n"
    "                                       a settings file (Ondrel.dat) that remembers the\n"
    "                                       entry and makes it current, every other option off\n"
    "  shortcut <file>                      a shortcut as the platform's shell link object\n"
    "                                       reads it: target, working folder, arguments\n"
    "  wait-window <title-prefix> <seconds>  a visible window with that title\n"
    "  items <id>                            the items of a combo box, one a line\n"
    "  click <id>                            press a button (BM_CLICK)\n"
    "  command <id>                          a command as a menu sends it (WM_COMMAND)\n"
    "  choose <id> <text>                    select the item of a combo box that begins with\n"
    "                                        text, as the user would (CBN_SELCHANGE)\n"
    "  set-text <id> <text>                  set a control's text (WM_SETTEXT)\n"
    "  post <message> <wParam> <lParam>      post any message to the window\n"
    "  wait-title <text> <seconds>           wait until the title reads text\n"
    "  wait-text <id> <text> <seconds>       wait until a control reads text\n"
    "  wait-visible <visible|hidden> <seconds>\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The window the commands act on.
struct Target {
    std::string titlePrefix = "Ondrel v1.3";
    std::string className = "#32770";  // the dialog class

    HWND find() const { return remote::findWindow(titlePrefix, className); }
    HWND require() const {
        HWND window = find();
        if (window == nullptr) {
            throw Failure("no window whose title begins \"" + titlePrefix + "\"");
        }
        return window;
    }
};

const std::map<std::string, ras::sim::Line> kLines = {
    {"answers", ras::sim::Line::answers},      {"busy", ras::sim::Line::busy},
    {"noanswer", ras::sim::Line::noAnswer},    {"nodialtone", ras::sim::Line::noDialTone},
    {"rejects", ras::sim::Line::rejectsLogin}, {"busyfirst", ras::sim::Line::busyFirst},
    {"drops", ras::sim::Line::dropsAfter},
};

// A number in decimal or, with 0x in front, hexadecimal.
std::uintmax_t number(const std::string& text) {
    char* end = nullptr;
    const std::uintmax_t value = std::strtoumax(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0') {
        throw UsageError("not a number: " + text);
    }
    return value;
}

double seconds(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || value < 0) {
        throw UsageError("not a number of seconds: " + text);
    }
    return value;
}

int controlId(const std::string& text) {
    return static_cast<int>(number(text));
}

std::string quoted(const remote::Reading& text) {
    return text ? "\"" + *text + "\"" : "nothing (no such window)";
}

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

HWND control(const Target& target, const std::string& id) {
    HWND found = GetDlgItem(target.require(), controlId(id));
    if (found == nullptr) {
        throw Failure("the window has no control " + id);
    }
    return found;
}

remote::Reading controlText(const Target& target, int id) {
    HWND window = target.find();
    return window ? remote::windowText(GetDlgItem(window, id)) : std::nullopt;
}

remote::Reading visibility(const Target& target) {
    HWND window = target.find();
    return window ? (IsWindowVisible(window) ? "visible" : "hidden") : remote::Reading();
}

// Waits until read gives expected; says it, or fails naming what was read last.
void expect(const std::string& what, const std::function<remote::Reading()>& read,
            const std::string& expected, const std::string& limit) {
    const remote::Reading last = remote::waitFor(
        read, [&](const remote::Reading& value) { return value == expected; }, seconds(limit));
    if (last != expected) {
        throw Failure(what + " reads " + quoted(last) + " after " + limit + " s, not \"" +
                      expected + "\"");
    }
    say(*last);
}

// Waits for a window of the dialer whose title begins with titlePrefix and says its title.
// A visible window whose title still begins so once read: another window may carry the title for
// a moment first (Setup's frame is created as "Setup" before it takes its own title).
void waitWindow(const std::string& titlePrefix, const std::string& limit) {
    const Target other{titlePrefix, ""};
    const remote::Reading title = remote::waitFor(
        [&] {
            HWND window = other.find();
            return window != nullptr && IsWindowVisible(window) ? remote::windowText(window)
                                                                : remote::Reading{};
        },
        [&](const remote::Reading& value) {
            return value.has_value() && value->rfind(titlePrefix, 0) == 0;
        },
        seconds(limit));
    if (!title) {
        throw Failure("no window whose title begins \"" + titlePrefix + "\" after " + limit + " s");
    }
    say(*title);
}

// Posts the message and says what was done.
void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::string& done) {
    if (!PostMessageA(window, message, wParam, lParam)) {
        throw Failure("the message could not be posted (error " + std::to_string(GetLastError()) +
                      ")");
    }
    say(done);
}

// Sends a message that the window answers at once, without waiting on a window that hangs.
LRESULT sendQuick(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) {
        throw Failure("the window did not answer the message (error " +
                      std::to_string(GetLastError()) + ")");
    }
    return static_cast<LRESULT>(result);
}

// Selects the item and tells the dialog, which acts on the notification in its own time.
void choose(const Target& target, const std::string& id, const std::string& text) {
    HWND list = control(target, id);
    if (sendQuick(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                  reinterpret_cast<LPARAM>(text.c_str())) == CB_ERR) {
        throw Failure("combo box " + id + " has no item beginning \"" + text + "\"");
    }
    post(GetParent(list), WM_COMMAND, MAKEWPARAM(controlId(id), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(list), "chose \"" + text + "\" in " + id);
}

// Read as UTF-16: under Wine, another process's CB_GETLBTEXT in the ANSI form comes back in UTF-16.
void listItems(const Target& target, const std::string& id) {
    HWND list = control(target, id);
    const LRESULT count = sendQuick(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const LRESULT length = sendQuick(list, CB_GETLBTEXTLEN, index, 0);
        std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()),
                                 SMTO_ABORTIFHUNG, 2000, &copied)) {
            throw Failure("the combo box did not give item " + std::to_string(i));
        }
        char text[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text, sizeof text - 1, nullptr, nullptr);
        say(text);
    }
}

void addEntry(const std::vector<std::string>& args) {
    if (args.size() < 2 || args.size() > 4) {
        throw UsageError("add-entry needs <name> <line> [N] [phone]");
    }
    const auto line = kLines.find(args[1]);
    if (line == kLines.end()) {
        throw UsageError("unknown line: " + args[1]);
    }
    ras::sim::Entry entry;
    entry.line = line->second;
    entry.count = args.size() > 2 ? static_cast<std::uint32_t>(number(args[2])) : 0;
    entry.phoneNumber = args.size() > 3 ? args[3] : "555 0100";
    if (!ras::sim::writeEntry(args[0], entry)) {
        throw Failure("the registry refused the entry \"" + args[0] + "\"");
    }
    ras::sim::writeProfile(args[0]);
    say("entry \"" + args[0] + "\" added, line " + args[1]);
}

// What choosing the entry in the Options dialog leaves in the settings, written by the dialer's
// own code: the entry remembered and current, no account stored, every option off but,
// when asked, keep-dialing.
void writeSettings(const std::vector<std::string>& args) {
    if (args.size() < 2 || args.size() > 3 || args[1].empty() ||
        (args.size() == 3 && args[2] != "0" && args[2] != "1")) {
        throw UsageError("write-settings needs <file> <entry name> [keep-dialing: 0 or 1]");
    }
    CSettings settings;
    settings.m_bKeepDialing = args.size() == 3 && args[2] == "1" ? 1 : 0;
    settings.m_nCurrentEntry = settings.rememberEntry(args[1]);
    fw::saveFile(args[0], [&settings](fw::Archive& ar) { WriteSettings(ar, settings); });
    say("settings written to " + args[0] + " with \"" + args[1] + "\" current");
}

// What the platform's own shell link object reads from a shortcut file, one field a line.
void readShortcut(const std::string& file) {
    if (FAILED(CoInitialize(nullptr))) {
        throw Failure("the component library did not start");
    }
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    char target[MAX_PATH] = "", folder[MAX_PATH] = "", arguments[MAX_PATH] = "";
    const bool read =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(wide, STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)) &&
        SUCCEEDED(link->GetArguments(arguments, MAX_PATH));
    for (IUnknown* object : {static_cast<IUnknown*>(persist), static_cast<IUnknown*>(link)}) {
        if (object != nullptr) {
            object->Release();
        }
    }
    CoUninitialize();
    if (!read) {
        throw Failure("the shell link object cannot read " + file);
    }
    say(std::string("target: ") + target);
    say(std::string("working folder: ") + folder);
    say(std::string("arguments: ") + arguments);
}

void run(const Target& target, const std::string& command, const std::vector<std::string>& args) {
    // The number of arguments of each command; add-entry and write-settings check their own.
    const std::map<std::string, std::size_t> counts = {
        {"shortcut", 1},   {"wait-window", 2}, {"items", 1},        {"click", 1},
        {"command", 1},    {"choose", 2},      {"set-text", 2},     {"post", 3},
        {"wait-title", 2}, {"wait-text", 3},   {"wait-visible", 2},
    };
    const auto count = counts.find(command);
    if (count != counts.end() && args.size() != count->second) {
        throw UsageError(command + " needs " + std::to_string(count->second) + " argument(s)");
    }
    if (command == "add-entry") {
        addEntry(args);
    } else if (command == "write-settings") {
        writeSettings(args);
    } else if (command == "shortcut") {
        readShortcut(args[0]);
    } else if (command == "wait-window") {
        waitWindow(args[0], args[1]);
    } else if (command == "items") {
        listItems(target, args[0]);
    } else if (command == "click") {
        post(control(target, args[0]), BM_CLICK, 0, 0, "clicked " + args[0]);
    } else if (command == "command") {
        post(target.require(), WM_COMMAND, static_cast<WPARAM>(controlId(args[0])), 0,
             "command " + args[0] + " sent");
    } else if (command == "choose") {
        choose(target, args[0], args[1]);
    } else if (command == "set-text") {
        if (!sendQuick(control(target, args[0]), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(args[1].c_str()))) {
            throw Failure("control " + args[0] + " refused the text");
        }
        say("control " + args[0] + " set to \"" + args[1] + "\"");
    } else if (command == "post") {
        post(target.require(), static_cast<UINT>(number(args[0])),
             static_cast<WPARAM>(number(args[1])), static_cast<LPARAM>(number(args[2])),
             "message " + args[0] + " posted");
    } else if (command == "wait-title") {
        expect(
            "the title", [&] { return remote::windowText(target.find()); }, args[0], args[1]);
    } else if (command == "wait-text") {
        const int id = controlId(args[0]);
        expect(
            "control " + args[0], [&] { return controlText(target, id); }, args[1], args[2]);
    } else if (command == "wait-visible") {
        if (args[0] != "visible" && args[0] != "hidden") {
            throw UsageError("wait-visible needs visible or hidden");
        }
        expect(
            "the window", [&] { return visibility(target); }, args[0], args[1]);
    } else {
        throw UsageError("unknown command: " + command);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Target target;
    try {
        if (args.size() >= 2 && args[0] == "-w") {
            target = Target{args[1], ""};
            args.erase(args.begin(), args.begin() + 2);
        }
        if (args.empty()) {
            throw UsageError("no command");
        }
        const std::string command = args.front();
        args.erase(args.begin());
        run(target, command, args);
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "ondrel-remote: %s\n%s", error.what(), kUsage);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ondrel-remote: %s\n", error.what());
        return 1;
    }
}
