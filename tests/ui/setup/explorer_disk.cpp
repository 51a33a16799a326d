#include "explorer_disk.h"

#include <algorithm>
#include <cstring>

#include "framework/inspect.h"
#include "framework/paths.h"
#include "framework/save_file.h"
#include "setup_fixture.h"

namespace setup_explorer {

namespace {

// The image and the shortcut an installation leaves, as the hand-written tests know them.
struct Image : SetupTest {
    using SetupTest::content;
    using SetupTest::installedShortcut;
    using SetupTest::kFiles;
};

constexpr const char* kOlderInstall = "C:\\Ondrel 1.2";
constexpr const char* kShortcut = "\\Ondrel v1.3.lnk";
constexpr const char* kProductFolder = "\\Start Menu\\Programs\\Kestrune Software\\Ondrel v1.3";
constexpr int kTemplate = 3;
// The longest full path the platform takes, without its terminator.
constexpr std::size_t kMaxPath = 259;

std::string oldContent(int file) {
    return std::string("old ") + Image::kFiles[file].installed;
}

std::string oldShortcut() {
    const std::string program = std::string(kOlderInstall) + "\\Ondrel.exe";
    return fw::shortcut::write({program, "", "", kOlderInstall, program, 0, 1, 0});
}

// A bare drive's root is its working folder: "C:" alone would be the drive's current folder.
std::string installedShortcut(const std::string& folder) {
    const bool drive = folder.size() == 2 && folder[1] == ':';
    return fw::shortcut::write(Image::installedShortcut(folder, drive ? folder + "\\" : folder));
}

}  // namespace

Disk::Disk(fw::test::Driver& driver) : driver_(driver), windows_(fw::windowsDirectory()) {
    fw::createDirectory("C:\\Program Files");
    fw::createDirectory(kImage);
    fw::createDirectory(kOlderInstall);
    for (int file = 0; file < static_cast<int>(std::size(Image::kFiles)); ++file) {
        driver_.writeFile(std::string(kImage) + "\\" + Image::kFiles[file].source,
                          Image::content(static_cast<std::size_t>(file)));
        driver_.writeFile(kOlderInstall + std::string(Image::kFiles[file].installed),
                          file == kTemplate ? oldShortcut() : oldContent(file));
    }
    fw::createDirectory(windows_ + "\\Start Menu\\Programs\\Kestrune Software");
    fw::createDirectory(windows_ + kProductFolder);
    driver_.writeFile(desktopCopy(), oldShortcut());
    driver_.writeFile(startMenuCopy(), oldShortcut());
    allow(desktopCopy(), oldShortcut());
    allow(startMenuCopy(), oldShortcut());
    addDestination(kOlderInstall);
    addDestination(kDefaultFolder);
    fw::setCurrentDirectory(kImage);
}

std::string Disk::folderOf(Place place, int length) {
    const std::string windows = fw::windowsDirectory();
    switch (place) {
        case Place::defaultFolder:
            return kDefaultFolder;
        case Place::desktop:
            return windows + "\\Desktop";
        case Place::programGroup:
            return windows + kProductFolder;
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

std::string Disk::chosenName(const std::string& folder) {
    return folder + "\\install to";
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
    for (int file = 0; file < static_cast<int>(std::size(Image::kFiles)); ++file) {
        const std::string path = folder + Image::kFiles[file].installed;
        allow(path, Image::content(static_cast<std::size_t>(file)));
        if (folder == kOlderInstall) {
            allow(path, file == kTemplate ? oldShortcut() : oldContent(file));
        }
    }
    const std::string shortcut = installedShortcut(folder);
    installed_.insert(shortcut);
    for (const std::string& path : {folder + kShortcut, desktopCopy(), startMenuCopy()}) {
        allow(path, shortcut);
    }
}

std::string Disk::faultPath(int file, Side side, const std::string& destination) const {
    std::string target;
    if (file == kDesktopCopy || file == kStartMenuCopy) {
        if (side == Side::source) {
            return destination + kShortcut;
        }
        target = file == kDesktopCopy ? desktopCopy() : startMenuCopy();
    } else {
        if (side == Side::source) {
            return std::string(kImage) + "\\" + Image::kFiles[file].source;
        }
        target = destination + Image::kFiles[file].installed;
    }
    return side == Side::temporary ? fw::temporaryName(target) : target;
}

std::string Disk::check(const Leeway& leeway) const {
    for (const auto& [key, expected] : expected_) {
        if (!leeway.removalFailed && fw::test::fileExists(fw::temporaryName(expected.path))) {
            return "no temporary file is left once a copy has ended: " +
                   fw::temporaryName(expected.path);
        }
        if (leeway.unreadable.contains(key) ||
            (leeway.struckInPlace.contains(key) && savedInPlace(key))) {
            continue;
        }
        const std::optional<std::string> bytes = driver_.readFile(expected.path);
        if (bytes && !expected.contents.contains(*bytes)) {
            return "every file is the old one or the new one in full: " + expected.path;
        }
    }
    // Where neither copy is a destination's own shortcut, the copies are one step, both old or
    // both new, up to their moves into place.
    const std::string desktop = desktopCopy();
    const std::string startMenu = startMenuCopy();
    const std::string desktopKey = fw::foldedName(desktop);
    const std::string startMenuKey = fw::foldedName(startMenu);
    if (!leeway.moveFailed && !savedInPlace(desktopKey) && !savedInPlace(startMenuKey) &&
        !leeway.unreadable.contains(desktopKey) && !leeway.unreadable.contains(startMenuKey)) {
        const auto replaced = [&](const std::string& path) {
            const std::optional<std::string> bytes = driver_.readFile(path);
            return bytes && installed_.contains(*bytes);
        };
        if (replaced(desktop) != replaced(startMenu)) {
            return "the desktop and Start-menu shortcuts are replaced together";
        }
    }
    return "";
}

bool Disk::savedInPlace(const std::string& key) const {
    return std::any_of(destinations_.begin(), destinations_.end(), [&](const std::string& folder) {
        return fw::foldedName(folder + kShortcut) == key;
    });
}

void Disk::allow(const std::string& path, const std::string& contents) {
    Expected& expected = expected_[fw::foldedName(path)];
    expected.path = path;
    expected.contents.insert(contents);
}

std::string Disk::desktopCopy() const {
    return windows_ + "\\Desktop" + kShortcut;
}

std::string Disk::startMenuCopy() const {
    return windows_ + kProductFolder + kShortcut;
}

}  // namespace setup_explorer
