#include "framework/library.h"

#include "host.h"

namespace fw {

Proc systemProc(const std::string& library, const std::string& function) {
    return detail::host().systemProc(library, function);
}

}  // namespace fw
