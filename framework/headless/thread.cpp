#include "sys.h"

namespace fw::sys {

// Under test the virtual clock decides when threads run; their priority changes nothing.
void setCurrentThreadLowestPriority() {}

}  // namespace fw::sys
