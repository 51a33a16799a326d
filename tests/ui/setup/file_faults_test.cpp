// Every file operation of the install run, made to fail with every cause a file error can have:
// the message, the copying dialog stalled where the run stopped, and no file in the destination
// folder or among the shortcuts lost or left half-written.
#include <cstdint>
#include <string>
#include <vector>

#include "../framework/file_error_causes.h"
#include "framework/inspect.h"
#include "framework/save_file.h"
#include "setup/install/copying_dlg.h"
#include "setup_fixture.h"

namespace {

#ifndef _WIN32
// Only the headless backend injects file faults.

using Op = fw::test::FileFault::Op;

// One file operation of the run, made to fail.
struct Fault {
    Op op;
    std::string path;   // the file, as the fault matches it
    std::string named;  // how the message names it
    std::uint64_t afterBytes;
    std::size_t at;         // the file of the list the run stops at; the list's size: the shortcuts
    std::size_t installed;  // files of the list in place afterwards
    bool desktopReplaced = false;
};

using FileFaultsHeadlessOnly = SetupTest;

TEST_F(FileFaultsHeadlessOnly, EveryOperationOfTheRunForEveryCause) {
    const std::size_t shortcuts = std::size(kFiles);
    const std::string folder = destination();
    makeFolders();

    std::vector<Fault> faults;
    for (std::size_t i = 0; i < shortcuts; ++i) {
        const std::string from = source + "\\" + kFiles[i].source;
        const std::string to = folder + kFiles[i].installed;
        const std::string temporary = fw::temporaryName(to);
        const std::size_t half = content(i).size() / 2;
        faults.insert(faults.end(), {{Op::open, from, kFiles[i].source, 0, i, i},
                                     {Op::read, from, from, 0, i, i},
                                     {Op::length, from, from, 0, i, i},
                                     // The copy is in place before its source is closed.
                                     {Op::close, from, from, 0, i, i + 1},
                                     {Op::create, temporary, to, 0, i, i},
                                     {Op::write, temporary, to, half, i, i},
                                     {Op::close, temporary, to, 0, i, i},
                                     {Op::move, to, to, 0, i, i}});
        if (content(i).empty()) {
            // Nothing is written, so no write can fail.
            faults.erase(faults.end() - 3);
        }
    }
    // The shortcut in the folder is loaded, re-pointed and saved by the shell's link object (its
    // close and the copies' reads of it come after the load's, which fails first), then copied.
    const std::string shortcut = folder + "\\Ondrel v1.3.lnk";
    const std::size_t half = content(3).size() / 2;
    for (const Op op : {Op::open, Op::length, Op::read, Op::close, Op::create, Op::write}) {
        faults.push_back(
            {op, shortcut, shortcut, op == Op::write ? half : 0, shortcuts, shortcuts});
    }
    for (const std::string& copy : {desktopShortcut(), startMenuShortcut()}) {
        const std::string temporary = fw::temporaryName(copy);
        faults.insert(faults.end(), {{Op::create, temporary, copy, 0, shortcuts, shortcuts},
                                     {Op::write, temporary, copy, half, shortcuts, shortcuts},
                                     {Op::close, temporary, copy, 0, shortcuts, shortcuts},
                                     // The desktop's copy is put in place first.
                                     {Op::move, copy, copy, 0, shortcuts, shortcuts,
                                      copy == startMenuShortcut()}});
    }

    const std::string old = "old";
    for (const Fault& fault : faults) {
        for (const fw::FileError::Cause cause : kFileErrorCauses) {
            SCOPED_TRACE(testing::Message() << fault.path << ", op " << static_cast<int>(fault.op)
                                            << ", cause " << static_cast<int>(cause));
            // An earlier installation's files, each to be replaced whole or kept.
            for (const InstallFile& file : kFiles) {
                driver.writeFile(folder + file.installed, old);
            }
            driver.writeFile(desktopShortcut(), old);
            driver.writeFile(startMenuShortcut(), old);
            driver.clearRecords();
            driver.injectFault({fault.path, fault.op, cause, fault.afterBytes});
            const auto dlg = install(folder);
            // The operation was done, and failed.
            EXPECT_EQ(driver.armedFaults(), 0u);

            std::vector<std::string> shown = {"Creating short-cuts...", "", "80%"};
            int bar = 4;
            if (fault.at < shortcuts) {
                // The first file's lines are labelled; the bar stands at what it reached before
                // the file, at most three steps.
                const bool first = fault.at == 0;
                bar = static_cast<int>(std::min<std::size_t>(fault.at, 3));
                shown = {(first ? "Source File: " : "") + std::string(kFiles[fault.at].source),
                         (first ? "Destination File: " : "") + folder + kFiles[fault.at].installed,
                         std::to_string(20 * bar) + "%"};
            } else if (fault.path == shortcut && fault.op != Op::create && fault.op != Op::write) {
                // Not re-pointed: the template as copied.
                EXPECT_EQ(driver.readFile(shortcut), content(3));
            } else if (fault.path != shortcut) {
                // Re-pointed before the copies are made.
                EXPECT_EQ(shortcutAt(shortcut), installedShortcut(folder, folder));
            }
            expectStalled(*dlg, fw::FileError(cause, fault.named).text(), shown, bar);
            expectInstalled(folder, fault.installed, old);
            EXPECT_EQ(driver.readFile(desktopShortcut()),
                      fault.desktopReplaced ? driver.readFile(shortcut) : old);
            EXPECT_EQ(driver.readFile(startMenuShortcut()), old);
            for (const std::string& copy : {desktopShortcut(), startMenuShortcut()}) {
                EXPECT_FALSE(fw::test::fileExists(fw::temporaryName(copy))) << copy;
            }
        }
    }
}
#endif

}  // namespace
