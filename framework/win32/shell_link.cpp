// The shell link object through the component library: IShellLinkA for the properties,
// IPersistFile for the file.
#include "framework/shell_link.h"

#include <windows.h>
// The other platform headers need windows.h first.
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "system_library.h"

namespace fw {

struct ShellLink::State {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    FileError::Cause failure = FileError::Cause::generic;

    // Notes why a call failed. Errors of the file system and of storage carry the platform's
    // error code in their low word.
    bool succeeded(HRESULT result) {
        if (SUCCEEDED(result)) {
            return true;
        }
        const int facility = HRESULT_FACILITY(result);
        failure = facility == FACILITY_WIN32 || facility == FACILITY_STORAGE
                      ? FileError::causeOf(HRESULT_CODE(result))
                      : FileError::Cause::generic;
        return false;
    }
    // A property call on the object, once there is one.
    template <typename Call>
    bool set(Call call) {
        return succeeded(link != nullptr ? call(*link) : E_POINTER);
    }
};

ShellLink::ShellLink() : state_(std::make_unique<State>()) {}

ShellLink::~ShellLink() {
    if (state_->file != nullptr) {
        state_->file->Release();
    }
    if (state_->link != nullptr) {
        state_->link->Release();
    }
}

bool ShellLink::create() {
    using Initialize = HRESULT(WINAPI*)(LPVOID);
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    static const auto initialize = win32::systemFunction<Initialize>("ole32.dll", "CoInitialize");
    static const auto createInstance =
        win32::systemFunction<CreateInstance>("ole32.dll", "CoCreateInstance");
    if (initialize == nullptr || createInstance == nullptr) {
        return false;
    }
    // Already started is fine; the library stays started for the program's life.
    initialize(nullptr);
    if (!state_->succeeded(createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkA,
                                          reinterpret_cast<void**>(&state_->link)))) {
        return false;
    }
    return state_->succeeded(
        state_->link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&state_->file)));
}

bool ShellLink::load(const std::string& path) {
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) == 0) {
        state_->failure = FileError::Cause::badPath;
        return false;
    }
    return state_->succeeded(state_->file != nullptr ? state_->file->Load(widePath, STGM_READ)
                                                     : E_POINTER);
}

bool ShellLink::setArguments(const std::string& arguments) {
    return state_->set([&](IShellLinkA& link) { return link.SetArguments(arguments.c_str()); });
}

bool ShellLink::setDescription(const std::string& description) {
    return state_->set([&](IShellLinkA& link) { return link.SetDescription(description.c_str()); });
}

bool ShellLink::setIconLocation(const std::string& path, int index) {
    return state_->set(
        [&](IShellLinkA& link) { return link.SetIconLocation(path.c_str(), index); });
}

bool ShellLink::setPath(const std::string& path) {
    return state_->set([&](IShellLinkA& link) { return link.SetPath(path.c_str()); });
}

bool ShellLink::setShowCommand(int show) {
    return state_->set([&](IShellLinkA& link) { return link.SetShowCmd(show); });
}

bool ShellLink::setWorkingDirectory(const std::string& folder) {
    return state_->set([&](IShellLinkA& link) { return link.SetWorkingDirectory(folder.c_str()); });
}

bool ShellLink::save() {
    return state_->succeeded(state_->file != nullptr ? state_->file->Save(nullptr, TRUE)
                                                     : E_POINTER);
}

FileError::Cause ShellLink::failure() const {
    return state_->failure;
}

}  // namespace fw
