// Shell calls, made through the host.
#include "framework/shell.h"

#include "framework/window.h"
#include "host.h"

namespace fw {

bool trayNotify(TrayOp op, const Window& owner, unsigned id, unsigned callbackMessage,
                const Icon& icon, const std::string& tip) {
    return detail::host().trayNotify(op, owner.handle(), id, callbackMessage, icon,
                                     tip.substr(0, kTrayTipMax));
}

bool shellExecute(const Window* owner, const std::string& verb, const std::string& file, int show) {
    return detail::host().shellExecute(handleOf(owner), verb, file, show);
}

unsigned winExec(const std::string& commandLine, int show) {
    return detail::host().winExec(commandLine, show);
}

bool playSound(const std::string& name, unsigned flags) {
    return detail::host().playSound(name, flags);
}

void openHelp(const Window* owner, const std::string& helpFile) {
    detail::host().openHelp(handleOf(owner), helpFile);
}

}  // namespace fw
