#pragma once
// The frame of a test that drives one dhsu: a fresh folder named after the test, the program
// started there, and closed at the end, where it must exit cleanly.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "dhsu_process.h"

namespace e2e {

class DhsuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override {
        if (dhsu && !(mayExitByItself && dhsu->HasExited())) {
            EXPECT_EQ(dhsu->Close(), 0u);
        }
    }
    // dhsu in the folder, its window shown.
    void Start(bool withLibrary = false, bool keepSettings = false,
               const std::filesystem::path& program = {}) {
        dhsu = std::make_unique<DhsuProcess>(folder, withLibrary, keepSettings, true, program);
        ASSERT_NE(dhsu->Window(), nullptr);
    }
    // A folder name would pass as `withLibrary`; the folder is the test's own.
    void Start(const char*, ...) = delete;

    std::filesystem::path folder;
    std::unique_ptr<DhsuProcess> dhsu;
    // Where a test may end the program itself, only a program still running is closed.
    bool mayExitByItself = false;
};

}  // namespace e2e
