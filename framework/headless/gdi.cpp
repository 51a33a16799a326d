// Painting on the headless backend: a device context is a plain object, and each drawing call is
// kept as one readable line in the drawing log, for example "drawIcon(dc, 4,2, icon 136)".
#include "handles.h"
#include "program_resources.h"
#include "sandbox.h"
#include "sys.h"

namespace fw::headless {

std::vector<std::string>& drawingLog() {
    static std::vector<std::string> log;
    return log;
}

}  // namespace fw::headless

namespace fw::sys {

namespace {

// The size the platform gives a large icon.
constexpr int kSystemIconSize = 32;

struct DcObject : headless::Object {};

}  // namespace

Handle getClientDC(Handle /*window*/) {
    return headless::addObject(std::make_unique<DcObject>());
}

void releaseDC(Handle /*window*/, Handle dc) {
    if (headless::find<DcObject>(dc) != nullptr) {
        headless::removeObject(dc);
    }
}

void eraseIconBackground(Handle /*window*/, Handle /*dc*/) {
    headless::drawingLog().push_back("eraseIconBackground");
}

void drawIcon(Handle /*dc*/, int x, int y, Handle icon) {
    auto* object = headless::find<headless::IconObject>(icon);
    headless::drawingLog().push_back(
        "drawIcon(" + std::to_string(x) + "," + std::to_string(y) + ", " +
        (object != nullptr ? "icon " + std::to_string(object->id) : std::string("no icon")) + ")");
}

int systemIconWidth() {
    return kSystemIconSize;
}
int systemIconHeight() {
    return kSystemIconSize;
}

}  // namespace fw::sys
