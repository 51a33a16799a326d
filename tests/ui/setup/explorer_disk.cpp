#include "explorer_disk.h"

#include <algorithm>
#include <cstring>
#include <ranges>

#include "framework/inspect.h"
#include "framework/paths.h"
#include "framework/save_file.h"
#include "setup_fixture.h"

namespace setup_explorer {

namespace {

using Op = fw::test::FileFault::Op;

// The image and the shortcut an installation leaves, as the hand-written tests know them.
struct Image : SetupTest {
    using SetupTest::content;
    using SetupTest::installedShortcut;
    using SetupTest::kFiles;
};
constexpr int kFiles = static_cast<int>(std::size(Image::kFiles));
constexpr int kTemplate = 3;
constexpr const char* kImage = "C:\\Disk";
constexpr const char* kShortcut = "\\Ondrel v1.3.lnk";
// The longest full path the platform takes, without its terminator.
constexpr std::size_t kMaxPath = 259;

// What the earlier installation holds: its own shortcut where the template lies.
std::string oldContent(int file) {
    const std::string program = std::string(Disk::kOlderInstall) + "\\Ondrel.exe";
    return file == kTemplate
               ? fw::shortcut::write({program, "", "", Disk::kOlderInstall, program, 0, 1, 0})
               : std::string("old ") + Image::kFiles[file].installed;
}

std::string copyPath(int copy) {
    return Disk::shortcutFolder(copy) + kShortcut;
}

}  // namespace

Disk::Disk(fw::test::Driver& driver) : driver_(driver) {
    const std::string group = shortcutFolder(kStartMenuCopy);
    for (const std::string& folder :
         {std::string("C:\\Program Files"), std::string(kImage), std::string(kOlderInstall),
          group.substr(0, group.rfind('\\')), group}) {
        fw::createDirectory(folder);
    }
    for (int file = 0; file < kFiles; ++file) {
        driver_.writeFile(std::string(kImage) + "\\" + Image::kFiles[file].source,
                          Image::content(static_cast<std::size_t>(file)));
        driver_.writeFile(kOlderInstall + std::string(Image::kFiles[file].installed),
                          oldContent(file));
    }
    for (const int copy : {kDesktopCopy, kStartMenuCopy}) {
        driver_.writeFile(copyPath(copy), oldContent(kTemplate));
        allow(copyPath(copy), oldContent(kTemplate));
    }
    addDestination(kOlderInstall);
    addDestination(kDefaultFolder);
    fw::setCurrentDirectory(kImage);
}

std::string Disk::shortcutFolder(int copy) {
    return fw::windowsDirectory() + (copy == kDesktopCopy ? "\\Desktop"
                                                          : "\\Start Menu\\Programs\\Kestrune "
                                                            "Software\\Ondrel v1.3");
}

bool Disk::mayBeRefused(const std::string& folder) {
    const std::size_t longest =
        std::ranges::max(Image::kFiles | std::views::transform([](const auto& file) {
                             return std::strlen(file.installed);
                         }));
    return folder == kUnmakeable || folder.size() + longest > kMaxPath;
}

std::string Disk::faultPath(int file, Side side, const std::string& destination) {
    const bool copy = file >= kDesktopCopy;
    if (side == Side::source) {
        return copy ? destination + kShortcut
                    : std::string(kImage) + "\\" + Image::kFiles[file].source;
    }
    const std::string target = copy ? copyPath(file) : destination + Image::kFiles[file].installed;
    return side == Side::temporary ? fw::temporaryName(target) : target;
}

void Disk::addDestination(const std::string& folder) {
    if (!destinations_.insert(folder).second) {
        return;
    }
    for (int file = 0; file < kFiles; ++file) {
        const std::string path = folder + Image::kFiles[file].installed;
        allow(path, Image::content(static_cast<std::size_t>(file)));
        if (folder == kOlderInstall) {
            allow(path, oldContent(file));
        }
    }
    // A bare drive's root is its working folder: "C:" alone would be the drive's current folder.
    const bool drive = folder.size() == 2 && folder[1] == ':';
    const std::string shortcut =
        fw::shortcut::write(Image::installedShortcut(folder, drive ? folder + "\\" : folder));
    for (const std::string& path :
         {folder + kShortcut, copyPath(kDesktopCopy), copyPath(kStartMenuCopy)}) {
        allow(path, shortcut);
    }
}

void Disk::excuse(const std::string& path, Side side, Op op) {
    if (op == Op::move || op == Op::remove) {
        (op == Op::move ? moveFailed_ : removalFailed_) = true;
    } else if (op != Op::create && op != Op::write) {
        unreadable_.insert(fw::foldedName(path));
    } else if (side == Side::target) {
        // Only a file the shell link object saves in place is written there.
        struckInPlace_.insert(fw::foldedName(path));
    }
}

std::string Disk::check(bool faultsArmed) {
    if (!faultsArmed) {
        unreadable_.clear();
    }
    for (const auto& [key, allowed] : allowed_) {
        const auto& [path, contents] = allowed;
        if (!removalFailed_ && fw::test::fileExists(fw::temporaryName(path))) {
            return "no temporary file is left once a copy has ended: " + fw::temporaryName(path);
        }
        if (unreadable_.contains(key) || (struckInPlace_.contains(key) && savedInPlace(key))) {
            continue;
        }
        if (const auto bytes = driver_.readFile(path); bytes && !contents.contains(*bytes)) {
            return "every file is the old one or the new one in full: " + path;
        }
    }
    // Where neither copy is a destination's own shortcut, the copies are one step, both old or
    // both new, up to their moves into place.
    const auto apart = [this](int copy) {
        const std::string key = fw::foldedName(copyPath(copy));
        return savedInPlace(key) || unreadable_.contains(key);
    };
    const auto replaced = [this](int copy) {
        const std::optional<std::string> bytes = driver_.readFile(copyPath(copy));
        return bytes && *bytes != oldContent(kTemplate);
    };
    if (!moveFailed_ && !apart(kDesktopCopy) && !apart(kStartMenuCopy) &&
        replaced(kDesktopCopy) != replaced(kStartMenuCopy)) {
        return "the desktop and Start-menu shortcuts are replaced together";
    }
    return "";
}

void Disk::allow(const std::string& path, const std::string& contents) {
    auto& [name, allowed] = allowed_[fw::foldedName(path)];
    name = path;
    allowed.insert(contents);
}

bool Disk::savedInPlace(const std::string& key) const {
    return std::ranges::any_of(destinations_, [&](const std::string& folder) {
        return fw::foldedName(folder + kShortcut) == key;
    });
}

}  // namespace setup_explorer
