// The shell and its neighbours: the notification-area icon, opening documents, starting
// programs, playing sounds.
#pragma once

#include <cstddef>
#include <string>

namespace fw {

class Icon;
class Window;

enum class TrayOp { add, modify, remove };

// The longest tip the notification area shows; longer tips are cut.
constexpr std::size_t kTrayTipMax = 63;

// Adds, changes or removes the owner's notification-area icon. The record is the shell's
// 88-byte form with message, icon and tip. Returns true when the shell accepted it.
bool trayNotify(TrayOp op, const Window& owner, unsigned id, unsigned callbackMessage,
                const Icon& icon, const std::string& tip);

// Opens a file with its associated program (ShellExecuteEx); true when started.
bool shellExecute(const Window* owner, const std::string& verb, const std::string& file, int show);

// Starts a program from a command line; returns the platform's result (above 31 on success).
unsigned winExec(const std::string& commandLine, int show);

constexpr unsigned kSoundAsync = 0x0001;
// Plays a wave file; with kSoundAsync returns at once.
bool playSound(const std::string& name, unsigned flags);

// Opens a help file with the platform's help viewer.
void openHelp(const Window* owner, const std::string& helpFile);

}  // namespace fw
