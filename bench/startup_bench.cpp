// Times the start of the shipped programs under Wine beside the reference program: from
// CreateProcess to the first visible window of the new process that answers a message. Each
// round starts the reference, the dialer and Setup in turn, each from its own folder, and closes
// each as a user would, so that no killed process leaves state behind that slows the next start.
// It measures and prints; it never fails on a timing.
// Usage: startup_bench <rounds> <reference.exe> <Ondrel.exe> <Setup.exe>   (Windows paths)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "median.h"
#include "other_windows.h"
#include "stopwatch.h"

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// How long a program may take to show its window, and to end once asked.
constexpr DWORD kStartLimitMs = 30'000;
constexpr DWORD kEndLimitMs = 15'000;

struct Program {
    const char* name;
    std::string path;
    // Ends the program through its own windows, as a user would.
    void (*leave)(HWND mainWindow);
    std::vector<double> startsMs;
};

struct ProcessSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK visitProcessWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<ProcessSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// The first visible top-level window of the process, whatever its title.
HWND visibleWindowOf(DWORD processId) {
    ProcessSearch search{processId};
    EnumWindows(visitProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible window of another program whose title begins with titlePrefix, of that window class:
// a click posted to a page that is not shown yet can be lost.
HWND waitWindow(const std::string& titlePrefix, const std::string& className, double seconds) {
    HWND found = nullptr;
    remote::waitFor(
        [&]() -> remote::Reading {
            found = remote::findWindow(titlePrefix, className);
            return found && IsWindowVisible(found) ? remote::Reading(titlePrefix) : std::nullopt;
        },
        [](const remote::Reading& value) { return value.has_value(); }, seconds);
    if (found == nullptr || !IsWindowVisible(found)) {
        throw Failure("no window \"" + titlePrefix + "\" appeared");
    }
    return found;
}

void post(HWND window, UINT message, WPARAM wParam) {
    if (!PostMessageA(window, message, wParam, 0)) {
        throw Failure("a message could not be posted (error " + std::to_string(GetLastError()) +
                      ")");
    }
}

// A click on a dialog's button, as the e2e tests click.
void click(HWND dialog, int id) {
    post(GetDlgItem(dialog, id), BM_CLICK, 0);
}

// The reference's Cancel, the dialer's "&Exit": both are command 2 of their dialog.
void leaveDialog(HWND mainWindow) {
    post(mainWindow, WM_COMMAND, IDCANCEL);
}

// Setup's full-screen banner starts the wizard once its titles are in place: its welcome page's
// "&Exit", then "&Exit" in the Cancel Setup prompt.
void leaveSetup(HWND /*banner*/) {
    click(waitWindow("Setup", "#32770", 30), IDCANCEL);
    click(waitWindow("Cancel Setup", "#32770", 5), IDCANCEL);
}

// Starts the program from its own folder, times it to its first window that answers, and lets
// the program end itself.
double startAndLeave(const Program& program) {
    const std::string folder = program.path.substr(0, program.path.find_last_of('\\'));
    std::string commandLine = "\"" + program.path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const Stopwatch watch;
    if (!CreateProcessA(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.c_str(), &startup, &process)) {
        throw Failure("cannot start " + program.path + " (error " + std::to_string(GetLastError()) +
                      ")");
    }
    HWND window = nullptr;
    DWORD_PTR answer = 0;
    while (window == nullptr ||
           !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kStartLimitMs, &answer)) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 ||
            watch.elapsedMs() > kStartLimitMs) {
            throw Failure(std::string(program.name) + " showed no window");
        }
        Sleep(1);
        window = visibleWindowOf(process.dwProcessId);
    }
    const double elapsedMs = watch.elapsedMs();
    program.leave(window);
    const bool ended = WaitForSingleObject(process.hProcess, kEndLimitMs) == WAIT_OBJECT_0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!ended) {
        throw Failure(std::string(program.name) + " did not end when asked");
    }
    // Wine tidies up after a process for a moment; that is not the next program's start.
    Sleep(200);
    return elapsedMs;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc == 5 ? std::atoi(argv[1]) : 0;
    if (rounds <= 0) {
        std::fprintf(stderr,
                     "usage: startup_bench <rounds> <reference.exe> <Ondrel.exe> <Setup.exe>\n");
        return 2;
    }
    std::vector<Program> programs = {
        {"the reference", argv[2], leaveDialog, {}},
        {"Ondrel.exe", argv[3], leaveDialog, {}},
        {"Setup.exe", argv[4], leaveSetup, {}},
    };
    std::printf("Starting the reference, Ondrel.exe and Setup.exe in turn, %d rounds...\n", rounds);
    std::fflush(stdout);
    try {
        for (int round = 0; round < rounds; ++round) {
            for (Program& program : programs) {
                program.startsMs.push_back(startAndLeave(program));
            }
        }
    } catch (const Failure& failure) {
        std::fprintf(stderr, "startup_bench: %s\n", failure.what());
        return 1;
    }
    for (const Program& program : programs) {
        const auto [low, high] =
            std::minmax_element(program.startsMs.begin(), program.startsMs.end());
        std::printf("%s: from %.1f to %.1f ms\n", program.name, *low, *high);
    }
    const double reference = median(programs[0].startsMs);
    std::printf("%-48s %14s %14s %12s\n", "", "program", "reference", "ratio");
    for (std::size_t i = 1; i < programs.size(); ++i) {
        const double startMs = median(programs[i].startsMs);
        const std::string what =
            std::string("start-up under Wine, ") + programs[i].name + " vs reference, median (ms)";
        std::printf("%-48s %14.1f %14.1f %12.3f\n", what.c_str(), startMs, reference,
                    startMs / reference);
    }
    return 0;
}
