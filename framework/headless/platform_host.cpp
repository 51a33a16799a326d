#include "fatal.h"
#include "host.h"

namespace fw::detail {

// Headless windows have no platform behind them: they run only under a test program's host.
Host& platformHost() {
    headless::fatal("the headless backend runs only under the test driver");
}

}  // namespace fw::detail
