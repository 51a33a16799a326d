// The shell link object of the headless backend: our own shortcut codec over the file sandbox.
#include "framework/shell_link.h"

#include <optional>

#include "framework/file.h"
#include "shortcut_file.h"

namespace fw {

namespace {
// Room for a path in UTF-16 units with its terminator, as the platform's object takes it. The code
// page gives each byte one unit.
constexpr std::size_t kPathUnits = 260;
}  // namespace

struct ShellLink::State {
    bool created = false;
    shortcut::Shortcut link;
    std::string file;  // the file loaded, which save() writes
    FileError::Cause failure = FileError::Cause::generic;

    bool fail(FileError::Cause cause) {
        failure = cause;
        return false;
    }
    // A property of the object, once there is one.
    template <typename Change>
    bool set(Change change) {
        if (!created) {
            return fail(FileError::Cause::generic);
        }
        change(link);
        return true;
    }
};

ShellLink::ShellLink() : state_(std::make_unique<State>()) {}

ShellLink::~ShellLink() = default;

bool ShellLink::create() {
    state_->created = true;
    return true;
}

bool ShellLink::load(const std::string& path) {
    if (!state_->created) {
        return state_->fail(FileError::Cause::generic);
    }
    if (path.size() + 1 > kPathUnits) {
        return state_->fail(FileError::Cause::badPath);
    }
    std::string bytes;
    try {
        File file;
        file.open(path, FileMode::read);
        bytes.resize(static_cast<std::size_t>(file.length()));
        bytes.resize(file.read(bytes.data(), bytes.size()));
        file.close();
    } catch (const FileError& error) {
        return state_->fail(error.cause());
    }
    const std::optional<shortcut::Shortcut> link = shortcut::read(bytes);
    if (!link) {
        return state_->fail(FileError::Cause::generic);
    }
    state_->link = *link;
    state_->file = path;
    return true;
}

bool ShellLink::setArguments(const std::string& arguments) {
    return state_->set([&](shortcut::Shortcut& link) { link.arguments = arguments; });
}

bool ShellLink::setDescription(const std::string& description) {
    return state_->set([&](shortcut::Shortcut& link) { link.description = description; });
}

bool ShellLink::setIconLocation(const std::string& path, int index) {
    return state_->set([&](shortcut::Shortcut& link) {
        link.iconPath = path;
        link.iconIndex = index;
    });
}

bool ShellLink::setPath(const std::string& path) {
    return state_->set([&](shortcut::Shortcut& link) { link.target = path; });
}

bool ShellLink::setShowCommand(int show) {
    return state_->set([&](shortcut::Shortcut& link) { link.showCommand = show; });
}

bool ShellLink::setWorkingDirectory(const std::string& folder) {
    return state_->set([&](shortcut::Shortcut& link) { link.workingDirectory = folder; });
}

bool ShellLink::save() {
    if (state_->file.empty()) {
        return state_->fail(FileError::Cause::generic);
    }
    const std::string bytes = shortcut::write(state_->link);
    try {
        File file;
        file.open(state_->file, FileMode::createWrite);
        file.write(bytes.data(), bytes.size());
        file.close();
    } catch (const FileError& error) {
        return state_->fail(error.cause());
    }
    return true;
}

FileError::Cause ShellLink::failure() const {
    return state_->failure;
}

}  // namespace fw
