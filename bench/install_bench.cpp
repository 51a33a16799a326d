// Times Setup's install run without its fixed pauses beside plain CopyFileA copies of the same
// files: the run's copying dialog is driven by the test driver, whose virtual clock lets the
// pauses pass at once, so what is timed is the run's own work (the folder, the eleven copies
// through its block buffer, the texts and the bar it shows, the shortcut re-pointed and copied).
// Each round installs into a fresh folder and copies into another. It measures and prints; it
// never fails on a timing.
// Usage: install_bench <rounds> <image folder> <work folder>   (Windows paths; the work folder
// exists and is empty)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/test_driver.h"
#include "framework/types.h"
#include "median.h"
#include "setup/install/copying_dlg.h"
#include "stopwatch.h"

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Setup's application object as its windows see it: the caption of a file error's message box.
class BenchApp : public fw::App {
  public:
    BenchApp() { title = "Setup"; }
    bool initInstance() override { return false; }
};

// The run's first tick comes this long after the dialog opens; on the virtual clock it costs
// nothing.
constexpr std::int64_t kRunStartsAfterMs = 500;
// What the run's pauses add on a real clock: the wait for its first tick and three pauses.
constexpr int kPausesMs = 4 * 500;

// The files the image installs: every name in it that ends with "_".
std::vector<std::string> imageFiles(const std::string& image) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((image + "\\*_").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        throw Failure("no files to install in " + image);
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

double installRun(fw::test::Driver& driver, const std::string& image, const std::string& folder) {
    CCopyingDlg dlg(nullptr);
    dlg.m_strDestFolder = folder;
    dlg.m_strSourceFolder = image;
    if (!driver.open(dlg)) {
        throw Failure("the copying dialog did not open");
    }
    const Stopwatch watch;
    driver.advance(kRunStartsAfterMs);
    const double elapsedMs = watch.elapsedMs();
    if (!driver.messageBoxes().empty()) {
        throw Failure("the install run stopped: " + driver.messageBoxes().front().text);
    }
    if (driver.isOpen(dlg) || dlg.result() != fw::kIdOk) {
        throw Failure("the install run did not end its dialog");
    }
    return elapsedMs;
}

double plainCopies(const std::vector<std::string>& names, const std::string& image,
                   const std::string& folder) {
    const Stopwatch watch;
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        throw Failure("cannot create " + folder);
    }
    for (const std::string& name : names) {
        if (!CopyFileA((image + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE)) {
            throw Failure("cannot copy " + name + " (error " + std::to_string(GetLastError()) +
                          ")");
        }
    }
    return watch.elapsedMs();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc == 4 ? std::atoi(argv[1]) : 0;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: install_bench <rounds> <image folder> <work folder>\n");
        return 2;
    }
    const std::string image = argv[2];
    const std::string work = argv[3];
    std::vector<double> runs;
    std::vector<double> copies;
    try {
        const std::vector<std::string> names = imageFiles(image);
        std::printf("Installing the %zu files of %s and copying them, %d rounds each...\n",
                    names.size(), image.c_str(), rounds);
        std::fflush(stdout);
        BenchApp app;
        fw::test::Driver driver;
        for (int round = 0; round < rounds; ++round) {
            const std::string suffix = std::to_string(round + 1);
            runs.push_back(installRun(driver, image, work + "\\Run" + suffix));
            copies.push_back(plainCopies(names, image, work + "\\Copy" + suffix));
        }
    } catch (const Failure& failure) {
        std::fprintf(stderr, "install_bench: %s\n", failure.what());
        return 1;
    }
    std::printf("The fixed pauses add %d ms to a run on the real clock.\n", kPausesMs);
    const double run = median(runs);
    const double copy = median(copies);
    std::printf("%-48s %14s %14s %12s\n", "", "install run", "CopyFileA", "ratio");
    std::printf("%-48s %14.1f %14.1f %12.3f\n",
                "install run without pauses vs CopyFileA, median (ms)", run, copy, run / copy);
    return 0;
}
