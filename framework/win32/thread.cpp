// Thread priorities.
#include <windows.h>

#include "sys.h"

namespace fw::sys {

void setCurrentThreadLowestPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
}

}  // namespace fw::sys
