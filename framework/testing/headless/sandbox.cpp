// The driver's reach into the headless backend: its file sandbox, registry and drawing log.
#include "sandbox.h"

#include "framework/test_driver.h"

namespace fw::test {

void Driver::resetSandbox() {
    headless::resetSandbox();
    clearDrawing();
}

void Driver::injectFault(const FileFault& fault) {
    headless::armFault(fault);
}

std::size_t Driver::armedFaults() const {
    return headless::armedFaults();
}

const std::vector<std::string>& Driver::drawing() const {
    return headless::drawingLog();
}

void Driver::clearDrawing() {
    headless::drawingLog().clear();
}

bool Driver::removeFolder(const std::string& path) {
    return headless::removeFolder(path);
}

}  // namespace fw::test
