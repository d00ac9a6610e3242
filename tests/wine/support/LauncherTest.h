#pragma once
// The base of the end-to-end tests: the real Brindleway.exe started with
// settings of the test's own choosing, which are put back when the test ends
// because every test of one build shares a Wine prefix.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "GuiDriver.h"
#include "Scratch.h"

class LauncherTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(gui::ProgramPath().empty()) << "run with --program=<Brindleway.exe>"; }

    // Stores `gameFolder` (nullopt: none) as the program's game folder, with
    // no stored row and no debug values, for the rest of the test.
    void UseSettings(const std::optional<std::string>& gameFolder) {
        settings_.reset();
        settings_ = std::make_unique<gui::ScopedLauncherSettings>(gameFolder);
    }

    void StartProgram(const std::string& currentFolder) {
        app_ = std::make_unique<gui::Program>(gui::Program::Start({gui::ProgramPath(), currentFolder, "", {}}));
    }

    // A box left open by a failed check would keep the program from closing.
    void TearDown() override {
        if (app_ && app_->IsRunning()) {
            if (auto box = gui::FindMessageBox(*app_)) gui::DismissMessageBox(*box);
            EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
        }
        app_.reset();
        settings_.reset();
    }

    std::unique_ptr<gui::Program> app_;

private:
    std::unique_ptr<gui::ScopedLauncherSettings> settings_;
};
