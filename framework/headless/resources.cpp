// Strings and icons from the program's resources.
#include <cstddef>
#include <map>

#include "fatal.h"
#include "program_resources.h"
#include "sys.h"

// Generated from the program's .rc script by cmake/embed_res.cmake.
extern const unsigned char fw_resource_data[];
extern const std::size_t fw_resource_size;

namespace fw::headless {

const ResFile& programResources() {
    static const ResFile file = [] {
        try {
            return ResFile(fw_resource_data, fw_resource_size);
        } catch (const ResFileError& error) {
            fatal(std::string("the program's resources are malformed: ") + error.what());
        }
    }();
    return file;
}

}  // namespace fw::headless

namespace fw::sys {

std::string loadString(int id) {
    return headless::programResources().string(id);
}

Handle loadIcon(int id) {
    static std::map<int, Handle> loaded;
    if (const auto it = loaded.find(id); it != loaded.end()) {
        return it->second;
    }
    if (!headless::programResources().hasIcon(id)) {
        return nullptr;
    }
    const Handle icon = headless::addObject(std::make_unique<headless::IconObject>(id));
    loaded.emplace(id, icon);
    return icon;
}

}  // namespace fw::sys
