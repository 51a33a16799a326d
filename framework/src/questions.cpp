// Message boxes and file dialogs: questions the host puts to the user.
#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "framework/window.h"
#include "host.h"

namespace fw {

int messageBox(const Window* owner, const std::string& text, const std::string& caption,
               unsigned type) {
    return detail::host().messageBox(handleOf(owner), text, caption, type);
}

std::optional<std::string> runFileDialog(const Window* owner, const FileDialogRequest& request) {
    return detail::host().fileDialog(handleOf(owner), request);
}

}  // namespace fw
