// The headless file system: an in-memory sandbox with Windows path semantics (drive letters,
// backslashes, names that ignore case but keep it), the platform's error codes, and faults that a
// test arms. One mutex guards it all, since worker threads open files too.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "driver_sys.h"
#include "framework/paths.h"
#include "sandbox.h"
#include "sys.h"

namespace fw::headless {

std::string foldCase(const std::string& name) {
    return foldedName(name);
}

}  // namespace fw::headless

namespace fw::sys {

namespace {

using headless::foldCase;
using Op = test::FileFault::Op;

// The platform's error codes, so that each failure takes the cause it takes on Windows.
constexpr long kFileNotFound = 2;
constexpr long kPathNotFound = 3;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kInvalidName = 123;
constexpr long kNameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

[[noreturn]] void fail(long osError, const std::string& name) {
    throw FileError(FileError::causeOf(osError), name, osError);
}

struct Node {
    std::string name;  // as created
    bool directory = false;
    std::string data;
    std::map<std::string, std::unique_ptr<Node>> children;  // by folded name

    Node& add(const std::string& childName, bool isDirectory) {
        auto node = std::make_unique<Node>();
        node->name = childName;
        node->directory = isDirectory;
        return *(children[foldCase(childName)] = std::move(node));
    }
};

struct OpenFile {
    Node* node = nullptr;  // null once the sandbox was reset under it
    std::string path;
    bool writing = false;
    std::uint64_t position = 0;
    std::uint64_t written = 0;  // since the open, for write faults
};

// Where a full path leads: the folder that holds it, its last name and the node, if any.
struct Place {
    long error = 0;
    Node* parent = nullptr;
    std::string leaf;
    Node* node = nullptr;
};

bool validName(const std::string& name) {
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"|?*", c) != nullptr;
    });
}

class Sandbox {
  public:
    Sandbox() { reset(); }

    std::mutex mutex;
    std::string current;
    std::vector<test::FileFault> faults;

    void reset() {
        root_ = std::make_unique<Node>();
        root_->directory = true;
        Node& windows = root_->add("WINDOWS", true);
        windows.add("Desktop", true);
        windows.add("Start Menu", true).add("Programs", true).add("StartUp", true);
        current = "C:\\";
        for (auto& [handle, file] : files_) {
            file->node = nullptr;
        }
        faults.clear();
    }

    // As GetFullPathName on drive C:, the only one: lexical, against the current directory,
    // keeping the case given.
    std::string fullPath(const std::string& name) const {
        std::string rest = name;
        std::replace(rest.begin(), rest.end(), '/', '\\');
        if (rest.size() >= 2 && rest[1] == ':') {
            rest.erase(0, 2);
        } else if (rest.empty() || rest[0] != '\\') {
            rest = current.substr(2) + "\\" + rest;
        }
        std::vector<std::string> parts;
        for (std::size_t start = 0; start <= rest.size();) {
            const std::size_t end = std::min(rest.find('\\', start), rest.size());
            const std::string part = rest.substr(start, end - start);
            if (part == ".." && !parts.empty()) {
                parts.pop_back();
            } else if (!part.empty() && part != "." && part != "..") {
                parts.push_back(part);
            }
            start = end + 1;
        }
        std::string full = "C:";
        for (const std::string& part : parts) {
            full += "\\" + part;
        }
        return parts.empty() ? full + "\\" : full;
    }

    Place find(const std::string& name) const {
        const std::string full = fullPath(name);
        Place place;
        // The platform's calls take a path with its terminator in kMaxPath.
        if (full.size() >= kMaxPath) {
            place.error = kNameTooLong;
            return place;
        }
        place.node = root_.get();
        for (std::size_t start = 3; start < full.size();) {
            const std::size_t end = std::min(full.find('\\', start), full.size());
            if (place.node == nullptr || !place.node->directory) {
                place.error = kPathNotFound;
                return place;
            }
            place.parent = place.node;
            place.leaf = full.substr(start, end - start);
            if (!validName(place.leaf)) {
                place.error = kInvalidName;
                return place;
            }
            const auto child = place.parent->children.find(foldCase(place.leaf));
            place.node = child != place.parent->children.end() ? child->second.get() : nullptr;
            start = end + 1;
        }
        return place;
    }

    // The fault armed for this operation on this full path, if any (faults.end() if not).
    std::vector<test::FileFault>::iterator fault(Op op, const std::string& path) {
        // Most runs arm none: no name to fold on every read (the fuzz targets read a lot).
        if (faults.empty()) {
            return faults.end();
        }
        const std::string folded = foldCase(path);
        return std::find_if(faults.begin(), faults.end(), [&](const test::FileFault& f) {
            return f.op == op && foldCase(f.path) == folded;
        });
    }
    void raiseFault(Op op, const std::string& path, const std::string& name) {
        const auto it = fault(op, path);
        if (it != faults.end()) {
            const FileError::Cause cause = it->cause;
            faults.erase(it);
            throw FileError(cause, name);
        }
    }

    Handle open(std::unique_ptr<OpenFile> file) {
        Handle handle = file.get();
        files_[handle] = std::move(file);
        return handle;
    }
    // An open file the sandbox knows, still attached to a node.
    OpenFile& file(Handle handle, const std::string& path) {
        const auto it = files_.find(handle);
        if (it == files_.end() || it->second->node == nullptr) {
            fail(kInvalidHandle, path);
        }
        return *it->second;
    }
    bool isOpen(const Node* node) const {
        return std::any_of(files_.begin(), files_.end(),
                           [node](const auto& entry) { return entry.second->node == node; });
    }
    // Open files of a node that goes fail from then on, as a handle the platform closed.
    void detach(const Node* node) {
        for (auto& [handle, file] : files_) {
            if (file->node == node) {
                file->node = nullptr;
            }
        }
    }
    // Forgets the file and returns the full path it was opened with.
    std::string close(Handle handle, const std::string& path) {
        const auto it = files_.find(handle);
        if (it == files_.end()) {
            fail(kInvalidHandle, path);
        }
        std::string full = it->second->path;
        files_.erase(it);
        return full;
    }

  private:
    std::unique_ptr<Node> root_;
    std::map<Handle, std::unique_ptr<OpenFile>> files_;
};

Sandbox& sandbox() {
    static Sandbox instance;
    return instance;
}

}  // namespace

Handle fileOpen(const std::string& name, FileMode mode) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    auto file = std::make_unique<OpenFile>();
    file->path = box.fullPath(name);
    file->writing = mode == FileMode::createWrite;
    box.raiseFault(file->writing ? Op::create : Op::open, file->path, name);
    const Place place = box.find(name);
    if (place.error != 0) {
        fail(place.error, name);
    }
    if (place.node == nullptr && !file->writing) {
        fail(kFileNotFound, name);
    }
    if (place.node != nullptr && place.node->directory) {
        fail(kAccessDenied, name);
    }
    // Created, or emptied if it exists (keeping the case it was created with).
    file->node = place.node != nullptr ? place.node : &place.parent->add(place.leaf, false);
    if (file->writing) {
        file->node->data.clear();
    }
    return box.open(std::move(file));
}

std::size_t fileRead(Handle handle, void* data, std::size_t size, const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    OpenFile& file = box.file(handle, path);
    if (const auto fault = box.fault(Op::read, file.path);
        fault != box.faults.end() && file.position + size > fault->afterBytes) {
        box.raiseFault(Op::read, file.path, path);
    }
    if (file.writing) {
        fail(kAccessDenied, path);
    }
    const std::string& bytes = file.node->data;
    const std::size_t start = std::min<std::size_t>(file.position, bytes.size());
    const std::size_t count = std::min(size, bytes.size() - start);
    std::memcpy(data, bytes.data() + start, count);
    file.position += count;
    return count;
}

void fileWrite(Handle handle, const void* data, std::size_t size, const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    OpenFile& file = box.file(handle, path);
    if (!file.writing) {
        fail(kAccessDenied, path);
    }
    std::size_t count = size;
    const auto fault = box.fault(Op::write, file.path);
    if (fault != box.faults.end() && file.written + size > fault->afterBytes) {
        count =
            static_cast<std::size_t>(fault->afterBytes - std::min(fault->afterBytes, file.written));
    }
    std::string& bytes = file.node->data;
    bytes.resize(std::max<std::size_t>(bytes.size(), file.position + count));
    std::memcpy(bytes.data() + file.position, data, count);
    file.position += count;
    file.written += count;
    if (count < size) {
        const FileError::Cause cause = fault->cause;
        box.faults.erase(fault);
        throw FileError(cause, path);
    }
}

std::uint64_t fileLength(Handle handle, const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    OpenFile& file = box.file(handle, path);
    box.raiseFault(Op::length, file.path, path);
    return file.node->data.size();
}

std::uint64_t filePosition(Handle handle, const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    return box.file(handle, path).position;
}

void fileClose(Handle handle, const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    // The handle is gone whether or not the close reports an error, as with CloseHandle.
    const std::string full = box.close(handle, path);
    box.raiseFault(Op::close, full, path);
}

std::string currentDirectory() {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    return box.current;
}

bool setCurrentDirectory(const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    const Place place = box.find(path);
    if (place.error != 0 || place.node == nullptr || !place.node->directory) {
        return false;
    }
    box.current = box.fullPath(path);
    return true;
}

std::string windowsDirectory() {
    return "C:\\WINDOWS";
}

std::string fullPath(const std::string& name) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    return box.fullPath(name);
}

bool createDirectory(const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    const Place place = box.find(path);
    if (place.error != 0 || place.node != nullptr || place.parent == nullptr) {
        return false;
    }
    place.parent->add(place.leaf, true);
    return true;
}

bool deleteFile(const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    const auto fault = box.fault(Op::remove, box.fullPath(path));
    if (fault != box.faults.end()) {
        box.faults.erase(fault);
        return false;
    }
    const Place place = box.find(path);
    if (place.error != 0 || place.node == nullptr || place.node->directory) {
        return false;
    }
    box.detach(place.node);
    place.parent->children.erase(foldCase(place.leaf));
    return true;
}

// As MoveFileEx replacing: the platform refuses to put a file over a folder or over a file that
// is open.
void replaceFile(const std::string& from, const std::string& to) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    box.raiseFault(Op::move, box.fullPath(to), to);
    box.raiseFault(Op::move, box.fullPath(from), to);
    const Place source = box.find(from);
    const Place target = box.find(to);
    if (source.error != 0) {
        fail(source.error, to);
    }
    if (source.node == nullptr) {
        fail(kFileNotFound, to);
    }
    if (target.error != 0) {
        fail(target.error, to);
    }
    if (source.node->directory || (target.node != nullptr && target.node != source.node &&
                                   (target.node->directory || box.isOpen(target.node)))) {
        fail(kAccessDenied, to);
    }
    auto moved = std::move(source.parent->children[foldCase(source.leaf)]);
    source.parent->children.erase(foldCase(source.leaf));
    moved->name = target.leaf;
    target.parent->children[foldCase(target.leaf)] = std::move(moved);
}

bool fileExists(const std::string& path) {
    Sandbox& box = sandbox();
    std::lock_guard lock(box.mutex);
    const Place place = box.find(path);
    return place.error == 0 && place.node != nullptr;
}

}  // namespace fw::sys

namespace fw::headless {

void resetSandbox() {
    {
        sys::Sandbox& box = sys::sandbox();
        std::lock_guard lock(box.mutex);
        box.reset();
    }
    resetRegistry();
}

bool removeFolder(const std::string& path) {
    sys::Sandbox& box = sys::sandbox();
    std::lock_guard lock(box.mutex);
    const sys::Place place = box.find(path);
    if (place.error != 0 || place.node == nullptr || !place.node->directory ||
        !place.node->children.empty() || place.parent == nullptr) {
        return false;
    }
    place.parent->children.erase(foldCase(place.leaf));
    return true;
}

void armFault(const test::FileFault& fault) {
    sys::Sandbox& box = sys::sandbox();
    std::lock_guard lock(box.mutex);
    test::FileFault armed = fault;
    armed.path = box.fullPath(fault.path);
    box.faults.push_back(armed);
}

std::size_t armedFaults() {
    sys::Sandbox& box = sys::sandbox();
    std::lock_guard lock(box.mutex);
    return box.faults.size();
}

}  // namespace fw::headless
