// Message boxes and file dialogs: asked of the user, or of the test driver's script.
#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "framework/test_driver.h"
#include "framework/window.h"
#include "sys.h"

namespace fw {

namespace {

Handle handleOf(const Window* window) {
    return window != nullptr ? window->handle() : nullptr;
}

}  // namespace

int messageBox(const Window* owner, const std::string& text, const std::string& caption,
               unsigned type) {
    if (auto* driver = test::Driver::current()) {
        return driver->scriptMessageBox({text, caption, type, handleOf(owner)});
    }
    return sys::messageBox(handleOf(owner), text, caption, type);
}

std::optional<std::string> runFileDialog(const Window* owner, const FileDialogRequest& request) {
    if (auto* driver = test::Driver::current()) {
        return driver->scriptFileDialog({request.open, request.defaultExt, request.fileName,
                                         request.flags, request.filter, handleOf(owner)});
    }
    return sys::fileDialog(handleOf(owner), request);
}

std::string filterToPlatform(const std::string& filter) {
    std::string result = filter;
    for (char& c : result) {
        if (c == '|') {
            c = '\0';
        }
    }
    return result;
}

}  // namespace fw
