// Registry keys over the backend's registry calls.
#include "framework/registry.h"

#include "sys.h"

namespace fw::reg {

Key::~Key() {
    close();
}

long Key::open(const std::string& subKey) {
    close();
    return sys::regOpen(subKey, false, &handle_);
}

long Key::create(const std::string& subKey) {
    close();
    return sys::regOpen(subKey, true, &handle_);
}

long Key::close() {
    if (handle_ == nullptr) {
        return kSuccess;
    }
    void* handle = handle_;
    handle_ = nullptr;
    return sys::regClose(handle);
}

long Key::query(const std::string& name, void* data, std::uint32_t* size,
                std::uint32_t* type) const {
    return sys::regQuery(handle_, name, data, size, type);
}

long Key::set(const std::string& name, std::uint32_t type, const void* data, std::uint32_t size) {
    return sys::regSet(handle_, name, type, data, size);
}

long Key::remove(const std::string& name) {
    return sys::regDeleteValue(handle_, name);
}

long Key::enumValue(std::uint32_t index, std::string* name) const {
    return sys::regEnumValue(handle_, index, name);
}

}  // namespace fw::reg
