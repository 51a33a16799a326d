// The simulated remote access service as a test program's rasapi32.dll: the process's service
// while the object lives, and its functions in the test driver's system folder, where the
// dialer's LoadRemoteAccess finds them.
#pragma once

#include "framework/test_driver.h"
#include "platform/ras/rasapi32.h"
#include "platform/ras/service.h"

class SimulatedService {
  public:
    explicit SimulatedService(fw::test::Driver& driver) {
        ras::sim::installService(&service);
        driver.installLibrary("rasapi32.dll", ras::sim::exports());
    }
    SimulatedService(const SimulatedService&) = delete;
    SimulatedService& operator=(const SimulatedService&) = delete;
    ~SimulatedService() { ras::sim::installService(nullptr); }

    // Its dials end when it does, before the virtual clock.
    ras::sim::Service service;
};
