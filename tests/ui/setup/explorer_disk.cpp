#include "explorer_disk.h"

#include <algorithm>
#include <cstring>

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
constexpr int kFileCount = static_cast<int>(std::size(Image::kFiles));

constexpr const char* kImage = "C:\\Disk";
constexpr const char* kOlderInstall = "C:\\Ondrel 1.2";
constexpr const char* kShortcut = "\\Ondrel v1.3.lnk";
constexpr const char* kGroup = "\\Start Menu\\Programs\\Kestrune Software";
constexpr const char* kProductFolder = "\\Ondrel v1.3";
constexpr int kTemplate = 3;
// The longest full path the platform takes, without its terminator.
constexpr std::size_t kMaxPath = 259;

// What the earlier installation holds: its own shortcut where the template lies.
std::string oldContent(int file) {
    const std::string program = std::string(kOlderInstall) + "\\Ondrel.exe";
    return file == kTemplate
               ? fw::shortcut::write({program, "", "", kOlderInstall, program, 0, 1, 0})
               : std::string("old ") + Image::kFiles[file].installed;
}

// A bare drive's root is its working folder: "C:" alone would be the drive's current folder.
std::string installedShortcut(const std::string& folder) {
    const bool drive = folder.size() == 2 && folder[1] == ':';
    return fw::shortcut::write(Image::installedShortcut(folder, drive ? folder + "\\" : folder));
}

std::string copyPath(int file) {
    return file == kDesktopCopy ? fw::windowsDirectory() + "\\Desktop" + kShortcut
                                : fw::windowsDirectory() + kGroup + kProductFolder + kShortcut;
}

}  // namespace

Disk::Disk(fw::test::Driver& driver) : driver_(driver) {
    for (const std::string& folder :
         {std::string("C:\\Program Files"), std::string(kImage), std::string(kOlderInstall),
          fw::windowsDirectory() + kGroup, fw::windowsDirectory() + kGroup + kProductFolder}) {
        fw::createDirectory(folder);
    }
    for (int file = 0; file < kFileCount; ++file) {
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

std::string Disk::folderOf(Place place, int length) {
    switch (place) {
        case Place::defaultFolder:
            return kDefaultFolder;
        case Place::desktop:
            return fw::windowsDirectory() + "\\Desktop";
        case Place::programGroup:
            return fw::windowsDirectory() + kGroup + kProductFolder;
        case Place::olderInstall:
            return kOlderInstall;
        case Place::longFolder:
            return "C:\\Long\\" + std::string(static_cast<std::size_t>(length) - 8, 'L');
        case Place::unmakeable:
            return "C:\\No\\Such\\Ondrel";
        case Place::driveRoot:
            return "C:";
        case Place::cancelled:
            break;
    }
    return "";
}

bool Disk::mayBeRefused(const std::string& folder) {
    std::size_t longest = 0;
    for (const auto& file : Image::kFiles) {
        longest = std::max(longest, std::strlen(file.installed));
    }
    return folder == folderOf(Place::unmakeable, 0) || folder.size() + longest > kMaxPath;
}

void Disk::addDestination(const std::string& folder) {
    if (!destinations_.insert(folder).second) {
        return;
    }
    for (int file = 0; file < kFileCount; ++file) {
        const std::string path = folder + Image::kFiles[file].installed;
        allow(path, Image::content(static_cast<std::size_t>(file)));
        if (folder == kOlderInstall) {
            allow(path, oldContent(file));
        }
    }
    const std::string shortcut = installedShortcut(folder);
    installed_.insert(shortcut);
    for (const std::string& path :
         {folder + kShortcut, copyPath(kDesktopCopy), copyPath(kStartMenuCopy)}) {
        allow(path, shortcut);
    }
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

void Disk::excuse(const std::string& path, Side side, Op op) {
    const std::string key = fw::foldedName(path);
    if (op == Op::move) {
        moveFailed_ = true;
    } else if (op == Op::remove) {
        removalFailed_ = true;
    } else if (op == Op::create || op == Op::write) {
        // Only a file the shell link object writes in place is struck part-written.
        if (side == Side::target) {
            struckInPlace_.insert(key);
        }
    } else {
        unreadable_.insert(key);
    }
}

std::string Disk::check(bool faultsArmed) {
    if (!faultsArmed) {
        unreadable_.clear();
    }
    for (const auto& [key, allowed] : allowed_) {
        if (!removalFailed_ && fw::test::fileExists(fw::temporaryName(allowed.path))) {
            return "no temporary file is left once a copy has ended: " +
                   fw::temporaryName(allowed.path);
        }
        if (unreadable_.contains(key) || (struckInPlace_.contains(key) && savedInPlace(key))) {
            continue;
        }
        const std::optional<std::string> bytes = driver_.readFile(allowed.path);
        if (bytes && !allowed.contents.contains(*bytes)) {
            return "every file is the old one or the new one in full: " + allowed.path;
        }
    }
    // Where neither copy is a destination's own shortcut, the copies are one step, both old or
    // both new, up to their moves into place.
    const auto apart = [this](int copy) {
        const std::string key = fw::foldedName(copyPath(copy));
        return savedInPlace(key) || unreadable_.contains(key);
    };
    if (!moveFailed_ && !apart(kDesktopCopy) && !apart(kStartMenuCopy) &&
        replaced(copyPath(kDesktopCopy)) != replaced(copyPath(kStartMenuCopy))) {
        return "the desktop and Start-menu shortcuts are replaced together";
    }
    return "";
}

bool Disk::savedInPlace(const std::string& key) const {
    return std::any_of(destinations_.begin(), destinations_.end(), [&](const std::string& folder) {
        return fw::foldedName(folder + kShortcut) == key;
    });
}

bool Disk::replaced(const std::string& copy) const {
    const std::optional<std::string> bytes = driver_.readFile(copy);
    return bytes && installed_.contains(*bytes);
}

void Disk::allow(const std::string& path, const std::string& contents) {
    Allowed& allowed = allowed_[fw::foldedName(path)];
    allowed.path = path;
    allowed.contents.insert(contents);
}

}  // namespace setup_explorer
