// The real Brindleway.exe asking for the game folder at start-up: the shell's
// folder dialog driven from outside, under Wine.

#include <gtest/gtest.h>

#include <memory>

#include "GuiDriver.h"
#include "LauncherTest.h"
#include "Scratch.h"

namespace {

constexpr const char* kSettingsKey = gui::ScopedLauncherSettings::kSettingsKey;
const char kTitle[] = "Where is your GTA2 folder?";
constexpr int kBuiltInMaps = 12;

class StartupFolderPickerTest : public LauncherTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LauncherTest::SetUp());
        game_.MakeGameFolder();
        game_.Write("data\\canal.mmp",
                    "[MapFiles]\r\nGMPFile = canal.gmp\r\nSTYFile = canal.sty\r\n"
                    "SCRFile = canal.scr\r\nDescription = Canal Picker Test\r\n\r\n");
        wrong_.Write("GTA2.exe");  // the game's program alone does not make a game folder
        // Nothing stored: the program has to ask.
        UseSettings(std::nullopt);
        // Started outside the game folder, so the relative marker is not found.
        StartProgram(elsewhere_.Path());
    }

    std::optional<gui::FolderDialogInfo> WaitForDialog() {
        auto dialog = gui::WaitForFolderDialog(*app_);
        if (dialog) {
            EXPECT_TRUE(dialog->Shows(kTitle)) << "the dialog does not show its title";
            EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt) << "a message box came with the dialog";
        }
        return dialog;
    }

    gui::ScratchFolder game_{"system-picker-game"};
    gui::ScratchFolder wrong_{"system-picker-wrong"};
    gui::ScratchFolder elsewhere_{"system-picker-cwd"};
};

TEST_F(StartupFolderPickerTest, WrongFolderBringsTheDialogBackAndTheGameFolderIsStored) {
    auto dialog = WaitForDialog();
    ASSERT_TRUE(dialog) << "no folder dialog at start-up";
    // Modal to the main window, which is not shown yet, and still a window
    // of its own on the taskbar.
    EXPECT_NE(GetWindowLongA(dialog->window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0) << "no taskbar button";
    HWND owner = GetWindow(dialog->window, GW_OWNER);
    ASSERT_NE(owner, nullptr) << "the dialog has no owner";
    EXPECT_FALSE(IsWindowEnabled(owner)) << "the owner takes input while the dialog is up";
    ASSERT_TRUE(gui::PickFolder(*app_, *dialog, wrong_.Path()));

    dialog = WaitForDialog();
    ASSERT_TRUE(dialog) << "the dialog did not come back after a wrong folder";
    EXPECT_EQ(gui::ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "GTA2Folder"), std::nullopt);
    ASSERT_TRUE(gui::PickFolder(*app_, *dialog, game_.Path()));

    HWND main = app_->WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no main window after the game folder was picked";
    EXPECT_EQ(owner, main) << "the dialog was owned by another window";
    EXPECT_EQ(gui::FindFolderDialog(*app_), std::nullopt);
    EXPECT_EQ(gui::ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "GTA2Folder"), game_.Path() + "\\");

    // The catalogue is that folder's.
    HWND list = gui::FindChild(main, "SysListView32");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(gui::ListRowCount(list), kBuiltInMaps + 1);
    bool found = false;
    for (int row = 1; row <= gui::ListRowCount(list); ++row) {
        auto cells = gui::ListRow(*app_, list, row);
        if (!cells.empty() && cells[0] == "Canal Picker Test") {
            found = true;
            EXPECT_EQ(cells.at(1), "canal.mmp");
            EXPECT_EQ(cells.at(2), "canal.gmp");
        }
    }
    EXPECT_TRUE(found) << "the picked folder's description file is not listed";
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
}

TEST_F(StartupFolderPickerTest, AFolderTheCodePageCannotSpellIsTakenByItsShortName) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "the UTF-8 code page spells every folder";
    // "Karta" in Cyrillic letters, which no Western code page holds.
    const std::string base = game_.Path();
    const std::wstring wide = std::wstring(base.begin(), base.end()) + L"\\\u041a\u0430\u0440\u0442\u0430";
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    wchar_t shortWide[MAX_PATH] = {};
    DWORD length = GetShortPathNameW(wide.c_str(), shortWide, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
    std::string shortPath;
    for (const wchar_t* c = shortWide; *c != 0; ++c) {
        ASSERT_LT(*c, 0x80) << "the short name is not plain ASCII";
        shortPath += static_cast<char>(*c);
    }
    const std::string inside = shortPath.substr(shortPath.rfind('\\') + 1);
    // The scratch folder is cleared by ANSI names, which cannot reach this
    // folder: it goes by its short name.
    struct ShortNamedGameFolder {
        std::string path;
        ~ShortNamedGameFolder() {
            DeleteFileA((path + "\\data\\attract\\attr1.rep").c_str());
            RemoveDirectoryA((path + "\\data\\attract").c_str());
            RemoveDirectoryA((path + "\\data").c_str());
            DeleteFileA((path + "\\GTA2.exe").c_str());
            RemoveDirectoryA(path.c_str());
        }
    } cleared{shortPath};
    game_.Write(inside + "\\data\\attract\\attr1.rep", "attract");
    game_.Write(inside + "\\GTA2.exe");

    auto dialog = WaitForDialog();
    ASSERT_TRUE(dialog) << "no folder dialog at start-up";
    // The shell finds the folder by its short name and answers its long one.
    ASSERT_TRUE(gui::PickFolder(*app_, *dialog, shortPath));

    HWND main = app_->WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no main window after the folder was picked";
    EXPECT_EQ(gui::FindFolderDialog(*app_), std::nullopt) << "the folder was not taken";
    EXPECT_EQ(gui::ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "GTA2Folder"), shortPath + "\\");
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
}

TEST_F(StartupFolderPickerTest, CancelOnAFreshStartLeavesTheRegistryAlone) {
    auto dialog = WaitForDialog();
    ASSERT_TRUE(dialog) << "no folder dialog at start-up";
    ASSERT_TRUE(gui::CancelFolderDialog(*dialog));

    HWND main = app_->WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no main window after cancel";
    EXPECT_EQ(gui::FindFolderDialog(*app_), std::nullopt) << "the dialog was shown again after cancel";
    EXPECT_EQ(gui::ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "GTA2Folder"), std::nullopt);
    HWND list = gui::FindChild(main, "SysListView32");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(gui::ListRowCount(list), kBuiltInMaps);
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
}

}  // namespace
