// The disk under Setup's event explorer: the distribution image Setup installs from, an earlier
// installation with its shortcuts, and for every file Setup may write the contents it may hold:
// the old file or the new one in full, never a part, and no temporary file once a copy has ended.
#pragma once

#include <map>
#include <set>
#include <string>

#include "explorer_steps.h"
#include "framework/test_driver.h"

namespace setup_explorer {

class Disk {
  public:
    static constexpr const char* kImage = "C:\\Disk";
    static constexpr const char* kDefaultFolder = "C:\\Program Files\\Kestrune\\Ondrel";

    // Lays out the image (made current, as when Setup starts from it) and the earlier
    // installation.
    explicit Disk(fw::test::Driver& driver);

    // The folder a place stands for; empty for a cancelled choice.
    static std::string folderOf(Place place, int length);
    // What Browse answers for a folder: a name in it, which Setup cuts off.
    static std::string chosenName(const std::string& folder);
    // Whether Setup may refuse the folder with "contains an invalid path": it cannot be made (only
    // its last two levels are), or an installed file's full name would pass the longest path.
    static bool mayBeRefused(const std::string& folder);

    // The folder may receive the installation from now on.
    void addDestination(const std::string& folder);
    // The name a fault on this file strikes, with the installation going to destination.
    std::string faultPath(int file, Side side, const std::string& destination) const;

    // What the faults armed so far excuse, by folded path.
    struct Leeway {
        // Not read: a fault armed on reading them would fire in the check.
        std::set<std::string> unreadable;
        // May be part-written where they are a destination's own shortcut, which the shell link
        // object saves in place.
        std::set<std::string> struckInPlace;
        // A temporary file whose removal failed stays.
        bool removalFailed = false;
        // The copies' moves into place are one by one: a failed one leaves those before it done.
        bool moveFailed = false;
    };
    // The first broken rule, or nothing.
    std::string check(const Leeway& leeway) const;

  private:
    struct Expected {
        std::string path;
        std::set<std::string> contents;
    };
    void allow(const std::string& path, const std::string& contents);
    // Whether the file (by folded path) is a destination's own shortcut, which the shell link
    // object saves in place.
    bool savedInPlace(const std::string& key) const;
    std::string desktopCopy() const;
    std::string startMenuCopy() const;

    fw::test::Driver& driver_;
    const std::string windows_;
    std::set<std::string> destinations_;
    // By folded path.
    std::map<std::string, Expected> expected_;
    // The shortcut an installation leaves pointing at each destination.
    std::set<std::string> installed_;
};

}  // namespace setup_explorer
