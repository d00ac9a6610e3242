// The real Brindleway.exe launching the stand-in game under Wine: what the
// game finds when it starts, the refusal while it runs, the missing program,
// and the launched row chosen again at the next start.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <optional>

#include "FakeGame.h"
#include "GuiDriver.h"
#include "LauncherTest.h"
#include "Scratch.h"

namespace {

constexpr const char* kSettingsKey = gui::ScopedLauncherSettings::kSettingsKey;
const char kMapName[] = "Launch Test Harbour";
const std::string kFakeGame = gui::WindowsPath(FAKE_GAME_PATH);

class LaunchGameTest : public LauncherTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LauncherTest::SetUp());
        game_.MakeGameFolder(kFakeGame);
        // Two blanks after the style name: the game is given the name without them.
        game_.Write("data\\harbour.mmp", std::string("[MapFiles]\r\nGMPFile = harbour.gmp\r\nSTYFile = harbour.sty  ") +
                                             "\r\nSCRFile = harbour.scr\r\nDescription = " + kMapName + "\r\n\r\n");
        UseSettings(game_.Path() + "\\");
        Start();
    }

    void TearDown() override {
        StopGame();
        LauncherTest::TearDown();
    }

    // The launcher starts outside the game folder: the launch has to move.
    void Start() { StartIn(elsewhere_.Path()); }

    void StartIn(const std::string& currentFolder) {
        StartProgram(currentFolder);
        main_ = app_->WaitForMainWindow();
        ASSERT_NE(main_, nullptr) << "no main window";
        list_ = gui::FindChild(main_, "SysListView32");
        button_ = gui::FindChild(main_, "Button");
        ASSERT_NE(list_, nullptr);
        ASSERT_NE(button_, nullptr);
    }

    int RowNamed(const std::string& name) {
        for (int row = 1; row <= gui::ListRowCount(list_); ++row) {
            if (gui::ListCellText(*app_, list_, row, 1) == name) return row;
        }
        return 0;
    }

    std::string Report() const { return game_ / "fake-game-report.txt"; }

    bool WaitForGame() {
        const DWORD id = gui::WaitForGameReport(Report());
        if (id != 0) gameId_ = id;
        return id != 0;
    }

    void StopGame() {
        gui::EndProcess(gameId_);
        gameId_ = 0;
    }

    gui::ScratchFolder game_{"system-launch-game"};
    gui::ScratchFolder elsewhere_{"system-launch-cwd"};
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND button_ = nullptr;
    DWORD gameId_ = 0;
};

TEST_F(LaunchGameTest, GameStartsInItsFolderAndFindsTheMapUnderBothRoots) {
    const int row = RowNamed(kMapName);
    ASSERT_NE(row, 0) << "the description file is not listed";
    gui::SelectRowByMessage(*app_, list_, row);
    gui::PressButton(button_);
    ASSERT_TRUE(WaitForGame()) << "the game did not start";
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);

    auto report = gui::ReadGameReport(Report());
    EXPECT_EQ(report["folder"], game_.Path());  // the system drops the final backslash
    EXPECT_NE(report["command_line"].find(game_.Path() + "\\gta2.exe"), std::string::npos) << report["command_line"];
    for (const char* root : {"hklm", "hkcu"}) {
        const std::string r = root;
        EXPECT_EQ(report[r + ".mapname"], "harbour.gmp") << root;
        EXPECT_EQ(report[r + ".stylename"], "harbour.sty") << root;
        EXPECT_EQ(report[r + ".scriptName"], "harbour.scr") << root;
        EXPECT_EQ(report[r + ".skip_frontend"], "0") << root;
        EXPECT_EQ(report[r + ".mapname.type"], "1") << root;
        EXPECT_EQ(report[r + ".skip_frontend.type"], "4") << root;
    }
    EXPECT_EQ(gui::ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "map_index"), std::to_string(row));
}

TEST_F(LaunchGameTest, RunningGameIsRefusedAndAMissingGameIsNamed) {
    const int row = RowNamed(kMapName);
    ASSERT_NE(row, 0);
    gui::SelectRowByMessage(*app_, list_, row);
    gui::PressButton(button_);
    ASSERT_TRUE(WaitForGame());
    DeleteFileA(Report().c_str());

    // Another press while it runs: refused, nothing started.
    gui::PressButton(button_);
    auto box = gui::WaitForMessageBox(*app_);
    ASSERT_TRUE(box) << "no refusal while the game runs";
    EXPECT_EQ(box->caption, "Brindleway");
    EXPECT_EQ(box->text, "GTA2 is currently active.  Exit GTA2 and try again.");
    ASSERT_TRUE(gui::DismissMessageBox(*box));
    EXPECT_EQ(GetFileAttributesA(Report().c_str()), INVALID_FILE_ATTRIBUTES) << "a second game was started";

    // The game ends and its program goes away.
    StopGame();
    ASSERT_TRUE(DeleteFileA((game_ / "gta2.exe").c_str()));
    gui::PressButton(button_);
    box = gui::WaitForMessageBox(*app_);
    ASSERT_TRUE(box) << "no message for the missing game";
    EXPECT_EQ(box->text, game_.Path() + "\\gta2.exe not found!");
    ASSERT_TRUE(gui::DismissMessageBox(*box));
}

// The program copied into the game folder and started there, and a folder
// stored relative to the one it starts in: the folder tested is the one the
// game starts from, never the root of the drive, where anyone may have put a
// gta2.exe of their own.
TEST_F(LaunchGameTest, AFolderFoundFromTheCurrentFolderIsTheOneTheGameStartsFrom) {
    const std::string root = game_.Path().substr(0, 3);
    const std::string parent = game_.Path().substr(0, game_.Path().rfind('\\'));
    const std::string leaf = game_.Path().substr(parent.size() + 1);
    // Ended and removed however the test goes: a game left running would
    // turn every later launch away.
    struct Planted {
        std::string exe, report;
        bool Ran() const { return GetFileAttributesA(report.c_str()) != INVALID_FILE_ATTRIBUTES; }
        ~Planted() {
            if (Ran()) gui::EndProcess(static_cast<DWORD>(std::stoul(gui::ReadGameReport(report)["pid"])));
            DeleteFileA(exe.c_str());
            DeleteFileA(report.c_str());
        }
    } planted{root + "gta2.exe", root + "fake-game-report.txt"};
    ASSERT_TRUE(CopyFileA(kFakeGame.c_str(), planted.exe.c_str(), FALSE)) << "cannot plant " << planted.exe;

    struct Case {
        std::optional<std::string> stored;
        std::string startedIn;
    };
    for (const Case& c : {Case{std::nullopt, game_.Path()}, Case{leaf + "\\", parent}, Case{leaf, parent}}) {
        SCOPED_TRACE(c.stored ? "stored " + *c.stored : std::string("nothing stored"));
        ASSERT_EQ(app_->Close(), std::optional<DWORD>(0));
        UseSettings(c.stored);
        StartIn(c.startedIn);
        EXPECT_EQ(gui::FindFolderDialog(*app_), std::nullopt);
        const int row = RowNamed(kMapName);
        ASSERT_NE(row, 0) << "the game folder's description file is not listed";
        gui::SelectRowByMessage(*app_, list_, row);
        gui::PressButton(button_);
        ASSERT_TRUE(WaitForGame()) << (planted.Ran() ? "the planted gta2.exe ran instead" : "the game did not start");
        EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
        auto report = gui::ReadGameReport(Report());
        EXPECT_EQ(report["folder"], game_.Path());
        EXPECT_NE(report["command_line"].find(game_.Path() + "\\gta2.exe"), std::string::npos)
            << report["command_line"];
        EXPECT_FALSE(planted.Ran()) << "the planted gta2.exe ran too";
        EXPECT_EQ(gui::ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "GTA2Folder"), c.stored);
        StopGame();
        DeleteFileA(Report().c_str());
    }
}

// Launched this time by Enter in the list, which presses the default button.
// A map that sorts before it, added before the next start, moves its row down.
TEST_F(LaunchGameTest, TheLaunchedRowIsChosenAgainAtTheNextStart) {
    const int row = RowNamed(kMapName);
    ASSERT_NE(row, 0);
    gui::SelectRowByMessage(*app_, list_, row);
    ASSERT_TRUE(gui::SendKeyChord(main_, list_, {VK_RETURN})) << "the window never had the list focused in front";
    ASSERT_TRUE(WaitForGame()) << "Enter did not start the game";
    EXPECT_EQ(gui::ReadGameReport(Report())["hkcu.mapname"], "harbour.gmp");
    EXPECT_EQ(gui::ReadGameReport(Report())["hkcu.scriptName"], "harbour.scr");
    StopGame();
    ASSERT_EQ(app_->Close(), std::optional<DWORD>(0));
    game_.Write("data\\aaa.mmp",
                "[MapFiles]\r\nGMPFile = a.gmp\r\nSTYFile = a.sty\r\nSCRFile = a.scr\r\n"
                "Description = Aardvark Map\r\n");

    Start();
    ASSERT_EQ(RowNamed(kMapName), row + 1) << "the added map does not sort before it";
    EXPECT_EQ(gui::ListSelectedRow(list_), row + 1);
    EXPECT_EQ(gui::WindowText(main_), std::string("Orvo's Brindleway v0.3 - ") + kMapName);
}

}  // namespace
