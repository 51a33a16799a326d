// A fresh file sandbox and registry for each test, through the test driver, and byte helpers.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "framework/test_driver.h"

class SandboxTest : public ::testing::Test {
  protected:
    fw::test::Driver driver;
};

// Bytes written as numbers, for golden files.
inline std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (int value : values) {
        result += static_cast<char>(value);
    }
    return result;
}
