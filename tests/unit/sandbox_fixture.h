// A fresh file sandbox and registry for each test, through the test driver; a file to store into
// and load from through an archive; byte helpers (32-bit numbers are le32).
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>

#include "../ui/dialer/settings_bytes.h"
#include "framework/archive.h"
#include "framework/file.h"
#include "framework/test_driver.h"

class SandboxTest : public ::testing::Test {
  protected:
    // The file that store and load use, in the sandbox's current directory.
    static constexpr const char* kArchiveFile = "t.dat";

    // What write stores through an archive, as the bytes of the file.
    std::string store(const std::function<void(fw::Archive&)>& write) {
        fw::File file;
        file.open(kArchiveFile, fw::FileMode::createWrite);
        fw::Archive archive(file, fw::Archive::Mode::store);
        write(archive);
        archive.close();
        file.close();
        return driver.readFile(kArchiveFile).value();
    }
    // What read makes of a file holding these bytes.
    template <typename Read>
    auto load(const std::string& data, Read read,
              std::size_t bufferSize = fw::Archive::kDefaultBuffer) {
        driver.writeFile(kArchiveFile, data);
        fw::File file;
        file.open(kArchiveFile, fw::FileMode::read);
        fw::Archive archive(file, fw::Archive::Mode::load, bufferSize);
        return read(archive);
    }

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
