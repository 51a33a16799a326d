// Every file operation of every dialer command, made to fail with every cause a file error can
// have: what the user is told, what the windows do next, and that no file is lost or left
// half-written.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../framework/file_error_causes.h"
#include "dialer_fixture.h"
#include "framework/save_file.h"
#include "settings_bytes.h"
#include "tasks_bytes.h"

namespace {

#ifndef _WIN32
// Only the headless backend injects file faults.

using Cause = fw::FileError::Cause;
using Op = fw::test::FileFault::Op;

// What a failed operation comes to.
enum class Outcome {
    reported,  // the file-error box names the file, and the command stops there
    ignored,   // nothing is said, and the command goes on as if nothing had failed
    unread,    // nothing is said; what was read before stays, and the file is left as it is
    damaged,   // the damaged-file box, and the file is deleted (when the platform lets it)
};

// One file operation of a command, made to fail.
struct Fault {
    Op op;
    std::string path;   // the file, as the fault matches it
    std::string named;  // how the file-error box names it
    Outcome outcome = Outcome::reported;
    std::uint64_t afterBytes = 0;
    int step = 0;  // how many of the command's files were written before this one
    // A read that runs past the end is a file that ends too early: damaged.
    bool endIsDamage = false;
};

struct Command {
    const char* what;
    std::vector<Fault> faults;
    // Files and windows, up to the command.
    std::function<void(const Fault&)> arrange;
    std::function<void()> act;
    // The state afterwards, once the messages were checked.
    std::function<void(const Fault&, Outcome)> check;
    // The damaged-file box of the file the command reads, if any: text and caption.
    std::string damagedBox = {};
};

class FileFaultsHeadlessOnly : public OptionsTest {
  protected:
    std::string dnxPath() const { return folder + "\\entry.dnx"; }

    // The main window, opened on these files; false when its creation failed.
    bool openWindow(const std::string& settingsBytes,
                    const std::optional<std::string>& tasksBytes) {
        window.emplace(service);
        return openWith(*window, settingsBytes, tasksBytes);
    }

    // Each cell starts with none of the files and ends with no window open.
    void removeFiles() {
        for (const std::string& path :
             {settingsPath(), tasksPath(), shortcutSource(), startupShortcut(), dnxPath()}) {
            fw::deleteFile(path);
        }
    }
    void endWindows() {
        if (options && driver.isOpen(*options)) {
            driver.click(*options, fw::kIdCancel);
        }
        options.reset();
        if (window && window->exists()) {
            if (window->item(fw::kIdOk).text() == "Cancel Call") {
                driver.click(*window, fw::kIdOk);
            }
            driver.click(*window, fw::kIdCancel);
        }
        window.reset();
    }
    // No temporary file is left beside any file a command writes.
    void expectNoTemporaryFile() const {
        for (const std::string& path :
             {settingsPath(), tasksPath(), startupShortcut(), dnxPath()}) {
            EXPECT_FALSE(driver.readFile(path + fw::kSaveSuffix).has_value()) << path;
        }
    }

    std::optional<CDialerDlg> window;
    // The window that owns the command's messages.
    fw::Handle owner = nullptr;
};

TEST_F(FileFaultsHeadlessOnly, EveryOperationOfEveryCommandForEveryCause) {
    addEntry("Home");
    addEntry("Work");
    removeLater("New Line");
    using enum Outcome;
    const std::string account =
        settingsFile({.saveUserAndPassword = 1}, 1, 0, {{"Work", "ann", "one"}});
    const std::string scheduled = settingsFile({.dialBySchedule = 1}, 1, 0, {{"Work", "", ""}});
    // The scheduled task, due an hour (or a minute) after the cell began.
    std::int32_t due = 0;
    const auto task = [&due] { return tasksFile({{"Soon", "Work", due}}); };
    const auto dueIn = [&](std::int32_t seconds) {
        due = static_cast<std::int32_t>(driver.nowMs() / 1000) + seconds;
    };
    std::string link(2500, '\0');  // more than one block
    for (std::size_t i = 0; i < link.size(); ++i) {
        link[i] = static_cast<char>(i * 13);
    }
    const std::string oldLink = "the copy an earlier OK made";
    const std::string oldDnx = "previous contents";
    const std::string newEntry =
        "DNX1\x08New Line" + le32(1) + le32(4) + le32(3) + "line" + std::string(24, '\0');

    // The main window's commands.
    const auto mainWindow = [&] { owner = window->handle(); };
    const auto clickMain = [&](int button) {
        return [&, button] {
            mainWindow();
            driver.click(*window, button);
        };
    };
    // The window opened by the command itself: its messages have no owner until it exists.
    const auto start = [&] {
        window.emplace(service);
        driver.open(*window);
        owner = window->exists() ? window->handle() : nullptr;
    };
    const auto typePassword = [&](const Fault&) {
        ASSERT_TRUE(openWindow(account, std::nullopt));
        driver.type(*window, IDC_PASSWORD, "changed");
    };
    // A file written in full or not at all: its temporary file's creation, a write half-way,
    // its close and its move into place, as the file-error box names each.
    const auto writes = [&](const std::string& path, const std::string& created,
                            const std::string& named, std::uint64_t half, int step) {
        const std::string temporary = path + fw::kSaveSuffix;
        return std::vector<Fault>{{Op::create, temporary, created, reported, 0, step},
                                  {Op::write, temporary, named, reported, half, step},
                                  {Op::close, temporary, named, reported, 0, step},
                                  {Op::move, path, named, reported, 0, step}};
    };
    const auto settingsWrites = [&] {
        return writes(settingsPath(), "Ondrel.dat", settingsPath(), 20, 0);
    };
    const auto atStart = [&](const std::string& path, const std::string& bareName) {
        return std::vector<Fault>{{Op::open, path, bareName, unread},
                                  {Op::read, path, path, unread, 0, 0, true},
                                  {Op::length, path, path, unread, 0, 0, true},
                                  {Op::close, path, path, ignored},
                                  // A damaged file that the platform will not delete.
                                  {Op::remove, path, path, damaged}};
    };
    // The Options command's OK: "Home" chosen, the start-up copy ticked, the task a minute later.
    const auto optionsOk = [&] {
        mainWindow();
        runOptions(*window, [&](COptionsDlg& dlg) {
            driver.choose(dlg, IDC_ENTRY_LIST, 0);
            driver.click(dlg, IDC_START_WITH_WINDOWS);
            dlg.m_aTasks.at(0).m_timeNext += 60;
            driver.click(dlg, fw::kIdOk);
        });
    };
    // The Options dialog's export or import, with the entry file chosen.
    const auto withEntryFile = [&](int button) {
        return [&, button] {
            owner = options->handle();
            driver.answerFileDialog(dnxPath());
            driver.click(*options, button);
        };
    };
    std::vector<Fault> optionsFaults = settingsWrites();
    const std::vector<Fault> tasksWrites = writes(tasksPath(), "Tasks.dat", tasksPath(), 10, 1);
    const std::vector<Fault> linkWrites =
        writes(startupShortcut(), startupShortcut(), startupShortcut(), link.size() / 2, 2);
    optionsFaults.insert(optionsFaults.end(), tasksWrites.begin(), tasksWrites.end());
    for (const Op op : {Op::open, Op::read, Op::length, Op::close}) {
        optionsFaults.push_back({op, shortcutSource(),
                                 op == Op::open ? "Ondrel v1.3.lnk" : shortcutSource(), reported, 0,
                                 2});
    }
    optionsFaults.insert(optionsFaults.end(), linkWrites.begin(), linkWrites.end());

    const Command commands[] = {
        {"start: Ondrel.dat", atStart(settingsPath(), "Ondrel.dat"),
         [&](const Fault& fault) { writeSettings(fault.op == Op::remove ? "" : account); }, start,
         [&](const Fault& fault, Outcome outcome) {
             if (outcome == damaged) {
                 EXPECT_FALSE(window->exists());
                 EXPECT_EQ(settings(),
                           fault.op == Op::remove ? std::optional<std::string>("") : std::nullopt);
                 return;
             }
             ASSERT_TRUE(window->exists());
             const bool loaded = outcome == ignored;
             EXPECT_EQ(DialerTest::account(*window), loaded ? "Work|ann|one" : "||");
             // Nothing unread is written over at the end.
             driver.click(*window, fw::kIdCancel);
             EXPECT_EQ(settings(), account);
         },
         shownBox(
             "The Ondrel.dat file has become corrupt and will deleted.\nOnce the file is deleted, "
             "you will need to restart Ondrel. ",
             "Error: Invalid Ondrel.dat File!", fw::mb::kOk | fw::mb::kIconExclamation)},
        {"start: Tasks.dat", atStart(tasksPath(), "Tasks.dat"),
         [&](const Fault& fault) {
             dueIn(3600);
             writeSettings(scheduled);
             driver.writeFile(tasksPath(), fault.op == Op::remove ? "" : task());
         },
         start,
         [&](const Fault& fault, Outcome outcome) {
             const bool loaded = outcome == ignored;
             EXPECT_EQ(window->m_aTasks.size(), loaded ? 1u : 0u);
             EXPECT_EQ(window->m_pSchedulerThread != nullptr, loaded);
             std::optional<std::string> left = task();
             if (outcome == damaged) {
                 left = fault.op == Op::remove ? std::optional<std::string>("") : std::nullopt;
             }
             EXPECT_EQ(tasks(), left);
             // The settings read before stay in force.
             EXPECT_EQ(window->item(IDC_ENTRY_NAME).text(), "Work");
         },
         shownBox("The Tasks.dat file has become corrupt and will be deleted.\n",
                  "Error: Invalid Tasks.dat File!", fw::mb::kOk | fw::mb::kIconExclamation)},
        {"Connect: Ondrel.dat", settingsWrites(), typePassword, clickMain(fw::kIdOk),
         [&](const Fault&, Outcome) {
             // Nothing is dialed with settings that could not be saved.
             EXPECT_EQ(window->item(fw::kIdOk).text(), "&Connect");
             EXPECT_TRUE(window->item(IDC_USER_ID).isEnabled());
             EXPECT_FALSE(driver.timerRunning(*window, 3));
             EXPECT_EQ(settings(), account);
         }},
        {"exit: Ondrel.dat", settingsWrites(), typePassword, clickMain(fw::kIdCancel),
         [&](const Fault&, Outcome) {
             EXPECT_FALSE(window->exists());
             EXPECT_EQ(settings(), account);
         }},
        {"a task fires: Tasks.dat", writes(tasksPath(), tasksPath(), tasksPath(), 10, 0),
         [&](const Fault&) {
             dueIn(60);
             ASSERT_TRUE(openWindow(scheduled, task()));
         },
         [&] {
             mainWindow();
             driver.advance(60'001);
         },
         [&](const Fault&, Outcome) {
             EXPECT_EQ(tasks(), task());
             // The schedule goes on from the list: the call is made and the next wait begins.
             EXPECT_EQ(window->item(fw::kIdOk).text(), "Cancel Call");
             EXPECT_EQ(window->m_aTasks.at(0).m_timeNext, due + kDay);
             EXPECT_NE(window->m_pSchedulerThread, nullptr);
             EXPECT_EQ(g_tDueTime, due + kDay);
         }},
        {"Options OK, the start-up copy ticked", optionsFaults,
         [&](const Fault&) {
             dueIn(3600);
             driver.writeFile(shortcutSource(), link);
             driver.writeFile(startupShortcut(), oldLink);
             ASSERT_TRUE(openWindow(scheduled, task()));
         },
         optionsOk,
         [&](const Fault& fault, Outcome) {
             // Each file takes effect once written; the rest of the command, and the schedule's
             // wait, are skipped.
             const std::string chosen = settingsFile({.startWithWindows = 1, .dialBySchedule = 1},
                                                     2, 1, {{"Work", "", ""}, {"Home", "", ""}});
             EXPECT_EQ(settings(), fault.step >= 1 ? chosen : scheduled);
             EXPECT_EQ(window->item(IDC_ENTRY_NAME).text(), fault.step >= 1 ? "Home" : "Work");
             const std::int32_t saved = fault.step >= 2 ? due + 60 : due;
             EXPECT_EQ(tasks(), tasksFile({{"Soon", "Work", saved}}));
             EXPECT_EQ(window->m_aTasks.at(0).m_timeNext, saved);
             // The source's close fails only once the copy is in place.
             const bool copied = fault.op == Op::close && fault.path == shortcutSource();
             EXPECT_EQ(driver.readFile(startupShortcut()), copied ? link : oldLink);
             EXPECT_EQ(window->m_pSchedulerThread, nullptr);
         }},
        {"Options OK, the start-up copy unticked",
         {{Op::remove, startupShortcut(), startupShortcut(), ignored}},
         [&](const Fault&) {
             dueIn(3600);
             driver.writeFile(startupShortcut(), oldLink);
             ASSERT_TRUE(openWindow(settingsFile({.startWithWindows = 1, .dialBySchedule = 1}, 1, 0,
                                                 {{"Work", "", ""}}),
                                    task()));
         },
         [&] {
             mainWindow();
             runOptions(*window, [&](COptionsDlg& dlg) {
                 driver.click(dlg, IDC_START_WITH_WINDOWS);
                 driver.click(dlg, fw::kIdOk);
             });
         },
         [&](const Fault&, Outcome) {
             // Whether the copy went is not looked at; the command ends as it would.
             EXPECT_EQ(settings(), scheduled);
             EXPECT_EQ(driver.readFile(startupShortcut()), oldLink);
             EXPECT_NE(window->m_pSchedulerThread, nullptr);
         }},
        {"export of an entry", writes(dnxPath(), dnxPath(), dnxPath(), 10, 0),
         [&](const Fault&) {
             driver.writeFile(dnxPath(), oldDnx);
             openOptions("Work");
         },
         withEntryFile(IDC_SAVE_DIALUP),
         [&](const Fault&, Outcome) {
             EXPECT_EQ(driver.readFile(dnxPath()), oldDnx);
             EXPECT_TRUE(driver.isOpen(*options));
         }},
        {"import of an entry",
         {{Op::open, dnxPath(), dnxPath()},
          {Op::read, dnxPath(), dnxPath()},
          {Op::length, dnxPath(), dnxPath()},
          {Op::close, dnxPath(), dnxPath(), ignored}},
         [&](const Fault&) {
             removeEntry("New Line");
             driver.writeFile(dnxPath(), newEntry);
             openOptions("Work");
         },
         withEntryFile(IDC_IMPORT_DIALUP),
         [&](const Fault&, Outcome outcome) {
             // Only a file read whole reaches the phonebook.
             const bool imported = outcome == ignored;
             const std::vector<std::string> phonebook = ras::sim::entryNames();
             EXPECT_EQ(std::count(phonebook.begin(), phonebook.end(), "New Line"),
                       imported ? 1 : 0);
             const std::vector<std::string> listed = {"Home", "New Line", "Work"};
             const std::vector<std::string> unchanged = {"Home", "Work"};
             EXPECT_EQ(listItems(*options), imported ? listed : unchanged);
             EXPECT_EQ(selection(*options), 1);
             EXPECT_EQ(options->m_strEntryName, imported ? "New Line" : "Work");
             EXPECT_TRUE(driver.isOpen(*options));
         }},
    };

    for (const Command& command : commands) {
        for (const Fault& fault : command.faults) {
            for (const fw::FileError::Cause cause : kFileErrorCauses) {
                SCOPED_TRACE(testing::Message() << command.what << ": " << fault.path << ", op "
                                                << static_cast<int>(fault.op) << ", cause "
                                                << static_cast<int>(cause));
                removeFiles();
                driver.clearRecords();
                command.arrange(fault);
                driver.injectFault({fault.path, fault.op, cause, fault.afterBytes});
                command.act();
                // The operation was done, and failed.
                EXPECT_EQ(driver.armedFaults(), 0u);
                const Outcome outcome =
                    fault.endIsDamage && cause == Cause::endOfFile ? damaged : fault.outcome;
                std::vector<std::string> expected;
                if (outcome == reported) {
                    expected = {shownBox(fw::FileError(cause, fault.named).text(), "Ondrel",
                                         fw::mb::kOk | fw::mb::kIconStop)};
                } else if (outcome == damaged) {
                    expected = {command.damagedBox};
                }
                EXPECT_EQ(boxes(), expected);
                if (outcome == reported && !driver.messageBoxes().empty()) {
                    EXPECT_EQ(driver.messageBoxes()[0].owner, owner);
                }
                command.check(fault, outcome);
                expectNoTemporaryFile();
                endWindows();
            }
        }
    }
}
#endif

}  // namespace
