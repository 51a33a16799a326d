// A fresh registry and virtual clock for each test, a simulated service, and helpers to make
// entries and dial them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dial_reports.h"
#include "framework/registry.h"
#include "framework/test_driver.h"
#include "platform/ras/phonebook.h"
#include "platform/ras/simulated_ras.h"

class SimulatedRasTest : public ::testing::Test {
  protected:
    SimulatedRasTest() { DialReports::take(); }

    static void addEntry(const std::string& name, ras::sim::Line line, std::uint32_t count = 0,
                         const std::string& device = "") {
        ASSERT_TRUE(ras::sim::writeEntry(name, {line, count, "555-0100", device}));
    }

    ras::ConnectionHandle dial(const std::string& name, std::uint32_t expected = ras::kSuccess) {
        ras::ConnectionHandle handle = nullptr;
        const ras::DialParams params = ras::makeDialParams(name, "user", "secret");
        EXPECT_EQ(service.RasDial(params, &DialReports::notify, &handle), expected) << name;
        return handle;
    }

    // The state and error of a connection, or the call's error in place of the error.
    DialReport status(ras::ConnectionHandle handle) {
        ras::ConnStatus record{};
        record.dwSize = sizeof record;
        const std::uint32_t result = service.RasGetConnectStatus(handle, &record);
        return result == ras::kSuccess ? DialReport{record.rasconnstate, record.dwError}
                                       : DialReport{~0u, result};
    }

    fw::test::Driver driver;
    // After the driver: the service's dials end before the virtual clock does.
    ras::SimulatedRas service;
};
