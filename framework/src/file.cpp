// Files over the backend's file calls; errors after the open name the full path.
#include "framework/file.h"

#include "sys.h"

namespace fw {

namespace {

// Using a file that is not open is the invalid-handle error, as the platform reports it.
Handle checked(Handle handle, const std::string& path) {
    if (handle == nullptr) {
        throw FileError(FileError::Cause::invalidFile, path);
    }
    return handle;
}

}  // namespace

File::~File() {
    if (handle_ == nullptr) {
        return;
    }
    try {
        sys::fileClose(handle_, path_);
    } catch (const FileError&) {
        // A file dropped without close() has nobody left to tell.
    }
}

void File::open(const std::string& name, FileMode mode) {
    if (isOpen()) {
        close();
    }
    name_ = name;
    path_ = sys::fullPath(name);
    handle_ = sys::fileOpen(name, mode);
}

std::size_t File::read(void* data, std::size_t size) {
    return sys::fileRead(checked(handle_, path_), data, size, path_);
}

void File::write(const void* data, std::size_t size) {
    sys::fileWrite(checked(handle_, path_), data, size, path_);
}

std::uint64_t File::length() const {
    return sys::fileLength(checked(handle_, path_), path_);
}

std::uint64_t File::position() const {
    return sys::filePosition(checked(handle_, path_), path_);
}

void File::close() {
    Handle handle = checked(handle_, path_);
    // Cleared first: a failed close leaves nothing for the destructor to close again.
    handle_ = nullptr;
    sys::fileClose(handle, path_);
}

}  // namespace fw
