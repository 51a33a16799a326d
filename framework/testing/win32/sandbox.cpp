// On the win32 backend the files and the registry are the real ones (tests tidy up after
// themselves), nothing can be made to fail on purpose, and drawing is not recorded.
#include <windows.h>

#include "framework/test_driver.h"

namespace fw::test {

void Driver::resetSandbox() {}

void Driver::injectFault(const FileFault& /*fault*/) {
    fail("file faults exist only on the headless backend: run this test there");
}

std::size_t Driver::armedFaults() const {
    return 0;
}

const std::vector<std::string>& Driver::drawing() const {
    static const std::vector<std::string> none;
    return none;
}

void Driver::clearDrawing() {}

bool Driver::removeFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

}  // namespace fw::test
