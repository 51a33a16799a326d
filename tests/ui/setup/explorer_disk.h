// The disk under Setup's event explorer: the distribution image Setup installs from, an earlier
// installation with its shortcuts, and for every file Setup may write the contents it may hold:
// the old file or the new one in full, never a part, and no temporary file once a copy has ended.
#pragma once

#include <map>
#include <set>
#include <string>

#include "framework/test_driver.h"

namespace setup_explorer {

// A file of the installation, as a fault names it: the eleven installed files, then the two
// shortcut copies.
constexpr int kDesktopCopy = 11;
constexpr int kStartMenuCopy = 12;
// Which of a file's names a fault strikes: where the run reads it from (the distribution image, or
// for the copies the destination's shortcut), the file itself, or its temporary file.
enum class Side { source, target, temporary };

class Disk {
  public:
    static constexpr const char* kDefaultFolder = "C:\\Program Files\\Kestrune\\Ondrel";
    static constexpr const char* kOlderInstall = "C:\\Ondrel 1.2";
    // Two missing levels above the folder: Setup makes only the last two.
    static constexpr const char* kUnmakeable = "C:\\No\\Such\\Ondrel";

    // Lays out the image (made current, as when Setup starts from it) and the earlier
    // installation.
    explicit Disk(fw::test::Driver& driver);

    // The folder where a shortcut copy lies: the Desktop, or the product's in the program group.
    static std::string shortcutFolder(int copy);
    // Whether Setup may refuse the folder with "contains an invalid path": it cannot be made, or an
    // installed file's full name would pass the longest path.
    static bool mayBeRefused(const std::string& folder);
    // The name a fault on this file strikes, with the installation going to destination.
    static std::string faultPath(int file, Side side, const std::string& destination);

    // The folder may receive the installation from now on.
    void addDestination(const std::string& folder);
    // What an armed fault on the side of the file at path excuses from the checks.
    void excuse(const std::string& path, Side side, fw::test::FileFault::Op op);
    // The first broken rule, or nothing. Files struck on reading are checked again once every
    // fault has fired.
    std::string check(bool faultsArmed);

  private:
    void allow(const std::string& path, const std::string& contents);
    // Whether the file (by folded path) is a destination's own shortcut, which the shell link
    // object saves in place.
    bool savedInPlace(const std::string& key) const;

    fw::test::Driver& driver_;
    std::set<std::string> destinations_;
    // By folded path: the file's name and the full contents it may have.
    std::map<std::string, std::pair<std::string, std::set<std::string>>> allowed_;
    // By folded path: files not read (a fault armed on reading them would fire in the check), and
    // files that may be part-written where they are a destination's own shortcut.
    std::set<std::string> unreadable_;
    std::set<std::string> struckInPlace_;
    // A temporary file whose removal failed stays; the copies' moves into place are one by one,
    // so a failed one leaves those before it done.
    bool removalFailed_ = false;
    bool moveFailed_ = false;
};

}  // namespace setup_explorer
