#include "dialer/ras/remote_access.h"

#ifdef ONDREL_SYSTEM_RAS
#include "dialer/ras/system_ras.h"
#else
#include "platform/ras/simulated_ras.h"
#endif

namespace ras {

std::unique_ptr<RemoteAccess> makeRemoteAccess() {
#ifdef ONDREL_SYSTEM_RAS
    return std::make_unique<SystemRas>();
#else
    return std::make_unique<SimulatedRas>();
#endif
}

}  // namespace ras
