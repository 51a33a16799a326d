// The common Open and Save As dialogs.
#pragma once

#include <optional>
#include <string>

namespace fw {

class Window;

constexpr unsigned kOfnOverwritePrompt = 0x0002;
constexpr unsigned kOfnHideReadOnly = 0x0004;

struct FileDialogRequest {
    bool open = true;  // false: Save As
    std::string defaultExt;
    std::string fileName;  // initial file name
    unsigned flags = 0;
    std::string filter;  // "|" form: "Text (*.txt)|*.txt||"
};

// The full path the user confirmed, or nothing when cancelled.
std::optional<std::string> runFileDialog(const Window* owner, const FileDialogRequest& request);

}  // namespace fw
