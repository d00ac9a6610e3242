// IsProcessRunning on both roads, over the stand-in process table.

#include <gtest/gtest.h>

#include "system/modIsCheckProcess.h"
#include "unit/SystemTestPlatform.h"

namespace {

const char* const kSearchFailed = "Error searching for GTA2 in the process list: ";

class ProcessStatusRoad : public ::testing::Test {
protected:
    void SetUp() override { world.processes.platformId = 2; }
    bool Running(const std::string& name) { return IsProcessRunning(world.processes, world.messages, name); }
    SystemTestPlatform world;
};

TEST_F(ProcessStatusRoad, PathEndingInTheNameCountsInAnyCaseAndFolder) {
    world.processes.AddProcess("C:\\Windows\\explorer.exe");
    world.processes.AddProcess("D:\\Spiele\\GTA2\\GTA2.EXE");
    EXPECT_TRUE(Running("gta2.exe"));
    EXPECT_TRUE(Running("GTA2.exe"));
    EXPECT_TRUE(Running("Explorer.EXE"));
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST_F(ProcessStatusRoad, EndingsCountEvenWithMoreLettersInFront) {
    world.processes.AddProcess("C:\\Tools\\notgta2.exe");
    EXPECT_TRUE(Running("gta2.exe"));
}

TEST_F(ProcessStatusRoad, NamesThatOnlyContainOrStartWithTheNameDoNotCount) {
    world.processes.AddProcess("C:\\Games\\gta2.exe.bak");
    world.processes.AddProcess("C:\\gta2.exe\\launcher.exe");
    world.processes.AddProcess("C:\\ta2.exe");  // shorter than the name
    EXPECT_FALSE(Running("gta2.exe"));
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST_F(ProcessStatusRoad, ProcessesThatCannotBeReadStillCountByName) {
    // How far the system lets us see the game, and what the search answers
    // for two names.
    struct Case {
        const char* what;
        bool canOpen, listsModules, namesModule;  // query and read access; what it then gives
        bool canOpenLimited;                      // the game run as administrator: yes; protected: no
        bool imageNameMissing;                    // Windows XP
        bool snapshotRefused;
        bool toolHelpMissing;
        bool byFileName;    // "gta2.exe"
        bool byPathEnding;  // "\\gta2.exe": only a full path can end in it
    };
    const Case cases[] = {
        {"elevated: the limited query names the full path", false, true, true, true, false, false, false, true, true},
        {"protected: the snapshot names the file", false, true, true, false, false, false, false, true, false},
        {"Windows XP: the snapshot names the file", false, true, true, true, true, false, false, true, false},
        {"no snapshot either", false, true, true, false, false, true, false, false, false},
        {"no Tool Help either", false, true, true, false, true, false, true, false, false},
        {"starting: no module list yet", true, false, true, false, false, false, false, true, true},
        {"starting on Windows XP", true, false, true, true, true, false, false, true, false},
        {"program file not named yet", true, true, false, false, false, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SystemTestPlatform here;
        here.processes.platformId = 2;
        here.processes.imageNameMissing = c.imageNameMissing;
        here.processes.snapshotRefused = c.snapshotRefused;
        here.processes.toolHelpMissing = c.toolHelpMissing;
        here.processes.AddProcess("C:\\Windows\\system.exe", false, true, c.canOpenLimited);
        here.processes.AddProcess("C:\\Other\\other.exe", true, /*listsModules=*/false);
        here.processes.AddProcess(
            {0, "C:\\Games\\GTA2.EXE", c.canOpen, c.listsModules, c.canOpenLimited, c.namesModule});
        EXPECT_EQ(IsProcessRunning(here.processes, here.messages, "gta2.exe"), c.byFileName);
        EXPECT_EQ(IsProcessRunning(here.processes, here.messages, "\\gta2.exe"), c.byPathEnding);
        EXPECT_FALSE(IsProcessRunning(here.processes, here.messages, "missing.exe"));
        // A failing fallback is no failure of the search.
        EXPECT_TRUE(here.messages.shown.empty());
        EXPECT_EQ(here.processes.OpenHandleCount(), 0);
        EXPECT_LE(here.processes.snapshotsTaken, 3) << "more than one snapshot per search";
        EXPECT_LE(here.processes.handlesOpened, 3 * 4) << "a process opened twice in one of three searches";
        EXPECT_TRUE(!c.imageNameMissing || here.processes.limitedOpensTried == 0) << "a right XP does not know";
    }
}

TEST_F(ProcessStatusRoad, OneSnapshotServesEveryProcessOfASearch) {
    for (int i = 0; i < 5; ++i) world.processes.AddProcess("C:\\Protected\\p.exe", false, true, false);
    world.processes.AddProcess("C:\\Games\\notgta2.exe", false, true, false);
    EXPECT_TRUE(Running("gta2.exe"));
    EXPECT_EQ(world.processes.snapshotsTaken, 1);
    EXPECT_FALSE(Running("missing.exe"));
    EXPECT_EQ(world.processes.snapshotsTaken, 2);
    EXPECT_EQ(world.processes.OpenHandleCount(), 0);

    // Nothing to look up where every process opens.
    SystemTestPlatform open;
    open.processes.AddProcess("C:\\a.exe");
    EXPECT_FALSE(IsProcessRunning(open.processes, open.messages, "gta2.exe"));
    EXPECT_EQ(open.processes.snapshotsTaken, 0);
}

TEST_F(ProcessStatusRoad, EmptyNameMatchesTheFirstProcessWhoseModulesCanBeListed) {
    EXPECT_FALSE(Running(""));
    world.processes.AddProcess("C:\\System\\secret.exe", false);
    world.processes.AddProcess("C:\\System\\service.exe", true, false);
    EXPECT_FALSE(Running(""));
    world.processes.AddProcess({0, "C:\\System\\starting.exe", true, true, true, /*namesModule=*/false});
    EXPECT_TRUE(Running(""));
    world.processes.AddProcess("C:\\Windows\\notepad.exe");
    EXPECT_TRUE(Running(""));
}

TEST_F(ProcessStatusRoad, StopsAtTheFirstMatchAndClosesEveryHandle) {
    world.processes.AddProcess("C:\\a.exe");
    world.processes.AddProcess("C:\\Games\\gta2.exe");
    world.processes.AddProcess("C:\\b.exe");
    world.processes.AddProcess("C:\\c.exe");
    EXPECT_TRUE(Running("gta2.exe"));
    EXPECT_EQ(world.processes.handlesOpened, 2);
    EXPECT_EQ(world.processes.OpenHandleCount(), 0);

    world.processes.handlesOpened = 0;
    EXPECT_FALSE(Running("missing.exe"));
    EXPECT_EQ(world.processes.handlesOpened, 4);
    EXPECT_EQ(world.processes.OpenHandleCount(), 0);
}

TEST_F(ProcessStatusRoad, IdBufferStartsAt16BytesAndDoublesUntilTheListFits) {
    using Sizes = std::vector<std::uint32_t>;
    Running("gta2.exe");
    EXPECT_EQ(world.processes.enumBufferSizes, (Sizes{16}));

    for (int i = 0; i < 3; ++i) world.processes.AddProcess("C:\\p.exe");
    world.processes.enumBufferSizes.clear();
    Running("gta2.exe");
    EXPECT_EQ(world.processes.enumBufferSizes, (Sizes{16}));

    // Four ids fill 16 bytes exactly, which may mean the list was cut short.
    world.processes.AddProcess("C:\\p.exe");
    world.processes.enumBufferSizes.clear();
    Running("gta2.exe");
    EXPECT_EQ(world.processes.enumBufferSizes, (Sizes{16, 32}));

    for (int i = 4; i < 300; ++i) world.processes.AddProcess("C:\\p.exe");
    world.processes.AddProcess("C:\\Games\\gta2.exe");  // the 301st: beyond 1024 bytes
    world.processes.enumBufferSizes.clear();
    EXPECT_TRUE(Running("gta2.exe"));
    EXPECT_EQ(world.processes.enumBufferSizes, (Sizes{16, 32, 64, 128, 256, 512, 1024, 2048}));
}

TEST_F(ProcessStatusRoad, MissingProcessStatusLibraryIsReportedAndAnswersFalse) {
    world.processes.AddProcess("C:\\Games\\gta2.exe");
    world.processes.processStatusMissing = true;
    EXPECT_FALSE(Running("gta2.exe"));
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0], std::string(kSearchFailed) + "Error in loading DLL psapi.dll");
    EXPECT_EQ(world.processes.OpenHandleCount(), 0);
}

class SnapshotRoad : public ::testing::Test {
protected:
    void SetUp() override { world.processes.platformId = 1; }
    bool Running(const std::string& name) { return IsProcessRunning(world.processes, world.messages, name); }
    SystemTestPlatform world;
};

TEST_F(SnapshotRoad, NameContainingTheGamesNameCountsInAnyCase) {
    world.processes.AddProcess("C:\\Windows\\kernel32.exe");
    EXPECT_FALSE(Running("gta2.exe"));
    auto id = world.processes.AddProcess("C:\\Games\\Gta2.Exe");
    EXPECT_TRUE(Running("gta2.exe"));
    world.processes.RemoveProcess(id);
    world.processes.AddProcess("C:\\Games\\mygta2.exe.old");
    EXPECT_TRUE(Running("gta2.exe"));
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST_F(SnapshotRoad, TheCallersNameIsNotConsulted) {
    world.processes.AddProcess("C:\\Windows\\notepad.exe");
    EXPECT_FALSE(Running("notepad.exe"));
    world.processes.AddProcess("C:\\Games\\gta2.exe");
    EXPECT_TRUE(Running("notepad.exe"));
    EXPECT_TRUE(Running(""));
}

TEST_F(SnapshotRoad, LeftoversOfALongerEarlierNameDoNotMatch) {
    // The record is reused: "averyverylongname.exe" leaves its tail behind
    // the shorter names that follow it.
    world.processes.AddProcess("C:\\averyverylongname.exe");
    world.processes.AddProcess("C:\\gta2");
    world.processes.AddProcess("C:\\x.exe");
    EXPECT_FALSE(Running("gta2.exe"));
}

TEST_F(SnapshotRoad, SnapshotIsClosedAndMissingToolHelpIsReported) {
    world.processes.AddProcess("C:\\a.exe");
    world.processes.AddProcess("C:\\Games\\gta2.exe");
    EXPECT_TRUE(Running("gta2.exe"));
    EXPECT_FALSE(world.processes.enumBufferSizes.size());  // the other road stays untouched
    EXPECT_EQ(world.processes.handlesOpened, 1);
    EXPECT_EQ(world.processes.OpenHandleCount(), 0);

    world.processes.toolHelpMissing = true;
    EXPECT_FALSE(Running("gta2.exe"));
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].rfind(kSearchFailed, 0), 0u) << world.messages.shown[0];
    EXPECT_GT(world.messages.shown[0].size(), std::string(kSearchFailed).size());
}

TEST(ProcessRunningOtherPlatforms, UnknownPlatformAnswersFalseWithoutSearchingOrMessage) {
    for (std::uint32_t id : {0u, 3u}) {
        SystemTestPlatform world;
        world.processes.AddProcess("C:\\Games\\gta2.exe");
        world.processes.platformId = id;
        EXPECT_FALSE(IsProcessRunning(world.processes, world.messages, "gta2.exe")) << "platform " << id;
        EXPECT_EQ(world.processes.handlesOpened, 0);
        EXPECT_TRUE(world.processes.enumBufferSizes.empty());
        EXPECT_TRUE(world.messages.shown.empty());
    }
}

TEST(ProcessRunningOtherPlatforms, FailedVersionQueryMeansPlatformZero) {
    SystemTestPlatform world;
    world.processes.AddProcess("C:\\Games\\gta2.exe");
    world.processes.versionQueryFails = true;
    EXPECT_EQ(GetPlatformId(world.processes), 0);
    EXPECT_FALSE(IsProcessRunning(world.processes, world.messages, "gta2.exe"));
    EXPECT_TRUE(world.messages.shown.empty());

    world.processes.versionQueryFails = false;
    world.processes.platformId = 2;
    EXPECT_EQ(GetPlatformId(world.processes), 2);
}

TEST(StripLastChar, DropsTheFinalCharacterOnly) {
    EXPECT_EQ(StripLastChar("GTA2.EXE!"), "GTA2.EXE");
    EXPECT_EQ(StripLastChar(std::string("ab\0", 3)), "ab");
    EXPECT_EQ(StripLastChar("x"), "");
    EXPECT_EQ(StripLastChar(""), "");
}

}  // namespace
