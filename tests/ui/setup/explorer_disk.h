// The disk under Setup's event explorer: the distribution image Setup installs from, an earlier
// installation with its shortcuts, and for every file Setup may write the contents it may hold:
// the old file or the new one in full, never a part, and no temporary file once a copy has ended.
#pragma once

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "framework/inspect.h"
#include "framework/paths.h"
#include "framework/save_file.h"
#include "setup_fixture.h"

namespace setup_explorer {

// A file of the installation, as a fault names it: the eleven installed files (the template
// shortcut among them), then the two shortcut copies.
constexpr int kTemplate = 3;
constexpr int kDesktopCopy = 11;
constexpr int kStartMenuCopy = 12;
// Which of a file's names a fault strikes: where the run reads it from (the distribution image, or
// for the copies the destination's shortcut), the file itself, or its temporary file.
enum class Side { source, target, temporary };
using Op = fw::test::FileFault::Op;

class Disk {
  public:
    static constexpr const char* kOlderInstall = "C:\\Ondrel 1.2";
    // Two missing levels above the folder: Setup makes only the last two.
    static constexpr const char* kUnmakeable = "C:\\No\\Such\\Ondrel";
    static inline const std::string kDesktop = fw::windowsDirectory() + "\\Desktop";
    static inline const std::string kProgramGroup =
        fw::windowsDirectory() + "\\Start Menu\\Programs\\Kestrune Software\\Ondrel v1.3";

    // Lays out the hand-written tests' image (made current, as when Setup starts from it) and the
    // earlier installation with its shortcut copies.
    explicit Disk(fw::test::Driver& driver) : driver_(driver) {
        for (const std::string& folder :
             {std::string("C:\\Program Files"), std::string(kImage), std::string(kOlderInstall),
              kProgramGroup.substr(0, kProgramGroup.rfind('\\')), kProgramGroup}) {
            fw::createDirectory(folder);
        }
        for (int file = 0; file <= kStartMenuCopy; ++file) {
            driver_.writeFile(faultPath(file, Side::target, kOlderInstall), oldContent(file));
            if (file < kDesktopCopy) {
                driver_.writeFile(faultPath(file, Side::source, ""), SetupTest::content(file));
            }
        }
        addDestination(kOlderInstall);
        addDestination(SetupTest::kDefaultFolder);
        fw::setCurrentDirectory(kImage);
    }

    // Whether Setup may refuse the folder with "contains an invalid path": it cannot be made, or an
    // installed file's full name (the shortcut's is the longest) would reach the longest path.
    static bool mayBeRefused(const std::string& folder) {
        return folder == kUnmakeable || folder.size() + std::strlen(kShortcut) >= fw::kMaxPath;
    }
    // The name a fault on this file strikes, with the installation going to destination.
    static std::string faultPath(int file, Side side, const std::string& destination) {
        if (side == Side::source) {
            return file >= kDesktopCopy
                       ? destination + kShortcut
                       : std::string(kImage) + "\\" + SetupTest::kFiles[file].source;
        }
        const std::string target = file == kDesktopCopy ? kDesktop + kShortcut
                                   : file == kStartMenuCopy
                                       ? kProgramGroup + kShortcut
                                       : destination + SetupTest::kFiles[file].installed;
        return side == Side::temporary ? fw::temporaryName(target) : target;
    }

    // The folder may receive the installation from now on: the files as the image has them, and
    // its own shortcut there and in the copies.
    void addDestination(const std::string& folder) {
        // A bare drive's root is its working folder: "C:" alone would be the drive's current
        // folder.
        const bool drive = folder.size() == 2 && folder[1] == ':';
        const std::string shortcut = fw::shortcut::write(
            SetupTest::installedShortcut(folder, drive ? folder + "\\" : folder));
        for (int file = 0; file <= kStartMenuCopy; ++file) {
            const std::string path = faultPath(file, Side::target, folder);
            const std::string image = file < kDesktopCopy ? SetupTest::content(file) : shortcut;
            Expected& expected = expected_[fw::foldedName(path)];
            expected.path = path;
            expected.contents.insert({image, file == kTemplate ? shortcut : image,
                                      folder == kOlderInstall ? oldContent(file) : image});
            expected.savedInPlace = expected.savedInPlace || file == kTemplate;
        }
    }

    // What an armed fault on the side of the file at path excuses from the checks.
    void excuse(const std::string& path, Side side, Op op) {
        const bool writes = op == Op::create || op == Op::write;
        // A temporary file whose removal failed stays; the copies' moves into place are one by
        // one, so a failed one leaves those before it done.
        moveFailed_ = moveFailed_ || op == Op::move;
        removalFailed_ = removalFailed_ || op == Op::remove;
        // Only a file the shell link object saves in place is written under its own name; a file
        // struck on reading is not read, as the check would fire the fault, until all have fired.
        if (writes && side == Side::target) {
            struckInPlace_.insert(fw::foldedName(path));
        } else if (!writes && op != Op::move && op != Op::remove) {
            unreadable_.insert(fw::foldedName(path));
        }
    }

    // The first broken rule, or nothing.
    std::string check(bool faultsArmed) {
        if (!faultsArmed) {
            unreadable_.clear();
        }
        for (const auto& [key, expected] : expected_) {
            const std::string temporary = fw::temporaryName(expected.path);
            if (!removalFailed_ && fw::test::fileExists(temporary)) {
                return "no temporary file is left once a copy has ended: " + temporary;
            }
            const auto bytes = excused(key, false) ? std::nullopt : driver_.readFile(expected.path);
            if (bytes && !expected.contents.contains(*bytes)) {
                return "every file is the old one or the new one in full: " + expected.path;
            }
        }
        // Where neither copy is a destination's own shortcut, the copies are one step, both old
        // or both new, up to their moves into place.
        std::set<bool> replaced;
        for (const int copy : {kDesktopCopy, kStartMenuCopy}) {
            const std::string path = faultPath(copy, Side::target, "");
            if (moveFailed_ || excused(fw::foldedName(path), true)) {
                return "";
            }
            const std::optional<std::string> bytes = driver_.readFile(path);
            replaced.insert(bytes && *bytes != oldContent(kTemplate));
        }
        return replaced.size() == 1 ? ""
                                    : "the desktop and Start-menu shortcuts are replaced together";
    }

  private:
    static constexpr const char* kImage = "C:\\Disk";
    static constexpr const char* kShortcut = "\\Ondrel v1.3.lnk";

    // What the earlier installation holds: its own shortcut where the template lies.
    static std::string oldContent(int file) {
        const std::string program = std::string(kOlderInstall) + "\\Ondrel.exe";
        return file == kTemplate || file >= kDesktopCopy
                   ? fw::shortcut::write({program, "", "", kOlderInstall, program, 0, 1, 0})
                   : std::string("old ") + SetupTest::kFiles[file].installed;
    }
    // Whether the file (by folded path) goes unchecked: not read, or where it is a destination's
    // own shortcut, which the shell link object saves in place, struck there (or for the copies,
    // at all).
    bool excused(const std::string& key, bool copy) const {
        return unreadable_.contains(key) ||
               ((copy || struckInPlace_.contains(key)) && expected_.at(key).savedInPlace);
    }

    struct Expected {
        std::string path;
        std::set<std::string> contents;
        bool savedInPlace = false;
    };
    fw::test::Driver& driver_;
    // By folded path.
    std::map<std::string, Expected> expected_;
    std::set<std::string> unreadable_;
    std::set<std::string> struckInPlace_;
    bool removalFailed_ = false;
    bool moveFailed_ = false;
};

}  // namespace setup_explorer
