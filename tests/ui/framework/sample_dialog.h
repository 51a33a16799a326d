// The framework test program's dialog: a member for every kind of data exchange, and a record
// of the messages it received; a test that starts with it open.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/test_driver.h"
#include "resource.h"

class SampleDialog : public fw::Dialog {
  public:
    explicit SampleDialog(fw::Window* parent = nullptr) : fw::Dialog(IDD_SAMPLE, parent) {}

    // Members in exchange order.
    std::string name = "Ada";
    std::string secret = "hidden";
    std::string label = "Status";
    int listIndex = -1;
    int flag = 0;
    int day = 15;
    int count = -3;
    unsigned minutes = 30;
    fw::ProgressBar progress;

    // What arrived, in order: "timer 7", "message 1 2 3" (fw::wm::kUser + 1).
    std::vector<std::string> log;
    bool failCreation = false;

  protected:
    bool onCreate() override { return !failCreation; }
    void doDataExchange(fw::DataExchange& dx) override {
        dx.text(IDC_NAME, name);
        dx.text(IDC_SECRET, secret);
        dx.text(IDC_LABEL, label);
        dx.comboIndex(IDC_LIST, listIndex);
        dx.check(IDC_FLAG, flag);
        dx.number(IDC_DAY, day, 1, 31);
        dx.number(IDC_COUNT, count);
        dx.number(IDC_MINUTES, minutes);
        dx.control(IDC_PROGRESS, progress);
    }
    void onTimer(unsigned id) override { log.push_back("timer " + std::to_string(id)); }
    bool onMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result) override {
        if (message < fw::wm::kUser) {
            return false;
        }
        log.push_back("message " + std::to_string(message - fw::wm::kUser) + " " +
                      std::to_string(wParam) + " " + std::to_string(lParam));
        result = 0;
        return true;
    }
};

class SampleDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(driver.open(dialog)); }

    fw::test::Driver driver;
    SampleDialog dialog;
};

// The application object of the framework's test program: its title captions the framework's
// messages.
class TestApp : public fw::App {
  public:
    TestApp() { title = "Framework Test"; }
    bool initInstance() override { return false; }
};
inline TestApp theApp;
