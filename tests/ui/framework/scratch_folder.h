// A fresh folder made current for one test: on the headless backend a folder of its sandbox, on
// the win32 backend a folder of our own under the temporary folder, removed afterwards.
#pragma once

#include <string>

#include "framework/paths.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#endif

class ScratchFolder {
  public:
    ScratchFolder() {
#ifdef _WIN32
        static int made = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path = fw::fullPath(std::string(temp) + "FwTest" + std::to_string(GetCurrentProcessId()) +
                            "-" + std::to_string(++made));
#endif
        fw::createDirectory(path);
        fw::setCurrentDirectory(path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        fw::setCurrentDirectory(previous_);
#ifdef _WIN32
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
#endif
    }

    std::string path = "C:\\Scratch";

  private:
    const std::string previous_ = fw::currentDirectory();
};
