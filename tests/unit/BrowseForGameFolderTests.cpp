// BrowseForGameFolder over the stand-in dialog, files and registry.

#include <gtest/gtest.h>

#include "launcher/GameFolder.h"
#include "platform/Failure.h"
#include "registry/cRegistry.h"
#include "standin/MemoryRegistry.h"
#include "standin/StandinCodePage.h"
#include "support/RegistryTestWorld.h"
#include "system/modBrowse.h"
#include "unit/SystemTestPlatform.h"

namespace {

class BrowseForGameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        GameFolder = "C:\\Old\\";
        MakeGame("C:\\Games\\GTA2\\");
        world.files.AddFile("C:\\OnlyExe\\GTA2.exe", "MZ");
        world.files.AddFile("C:\\OnlyData\\data\\attract\\attr1.rep", "demo");
    }
    void TearDown() override { GameFolder.clear(); }

    void MakeGame(const std::string& folder) {
        world.files.AddFile(folder + "data\\attract\\attr1.rep", "demo");
        world.files.AddFile(folder + "gta2.exe", "MZ");
    }

    void Browse() {
        Platform platform = world.With(registry);
        BrowseForGameFolder(platform);
    }

    // GTA2Folder as stored, and its registry type; nothing when absent.
    std::optional<std::pair<std::string, std::uint32_t>> StoredFolder() {
        const RawValue stored = ReadRawValue(registry, kHkeyCurrentUser, "Software\\Lanternhall", "GTA2Folder");
        if (!stored.Text()) return std::nullopt;
        return std::make_pair(*stored.Text(), stored.type);
    }

    SystemTestPlatform world;
    MemoryRegistry registry;
};

TEST_F(BrowseForGameFolderTest, AsksWithItsTitleAndFlagsAndCancelChangesNothing) {
    world.folderDialog.WillCancel();
    Browse();
    ASSERT_EQ(world.folderDialog.titles.size(), 1u);
    EXPECT_EQ(world.folderDialog.titles[0], "Where is your GTA2 folder?");
    EXPECT_EQ(world.folderDialog.lastFlags, 0x251u);
    EXPECT_EQ(GameFolder, "C:\\Old\\");
    EXPECT_FALSE(StoredFolder());
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST_F(BrowseForGameFolderTest, WrongPicksAreAskedAgainUntilAGoodOneWhichIsStored) {
    world.folderDialog.WillPick("C:\\OnlyExe");
    world.folderDialog.WillPick("C:\\OnlyData");
    world.folderDialog.WillPick("C:\\Nowhere");
    world.folderDialog.WillPickVirtualFolder();
    world.folderDialog.WillPick("C:\\Games\\GTA2");
    Browse();
    EXPECT_EQ(world.folderDialog.titles.size(), 5u);
    EXPECT_FALSE(world.folderDialog.ranOutOfAnswers);
    EXPECT_EQ(GameFolder, "C:\\Games\\GTA2\\");
    auto stored = StoredFolder();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->first, "C:\\Games\\GTA2\\");
    EXPECT_EQ(stored->second, 1u);  // REG_SZ
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(registry.OpenHandleCount(), 0);
}

TEST_F(BrowseForGameFolderTest, WrongPicksThenCancelLeaveNoTrace) {
    world.folderDialog.WillPick("C:\\OnlyExe");
    world.folderDialog.WillPick("C:\\OnlyData\\");
    world.folderDialog.WillCancel();
    Browse();
    EXPECT_EQ(world.folderDialog.titles.size(), 3u);
    EXPECT_EQ(GameFolder, "C:\\Old\\");
    EXPECT_FALSE(StoredFolder());
}

TEST_F(BrowseForGameFolderTest, FoldersEndInExactlyOneBackslashAlsoAtADriveRoot) {
    MakeGame("D:\\");
    world.files.AddFolder("D:\\");
    world.folderDialog.WillPick("D:\\");
    Browse();
    EXPECT_EQ(GameFolder, "D:\\");
    ASSERT_TRUE(StoredFolder());
    EXPECT_EQ(StoredFolder()->first, "D:\\");

    world.folderDialog.WillPick("C:\\Games\\GTA2\\");
    Browse();
    EXPECT_EQ(GameFolder, "C:\\Games\\GTA2\\");
    EXPECT_EQ(StoredFolder()->first, "C:\\Games\\GTA2\\");
}

TEST_F(BrowseForGameFolderTest, AFolderEndingInADoubleByteCharacterGetsItsBackslash) {
    // 表 in code page 932 is "\x95\x5C": its second byte has a backslash's value.
    const std::string folder = "C:\\Games\\\x95\x5C";
    MakeGame(folder + "\\");
    world.folderDialog.WillPick(folder);
    Platform platform{registry,       world.files,  world.processes, world.folderDialog,
                      world.messages, "Brindleway", Japanese932()};
    BrowseForGameFolder(platform);
    EXPECT_EQ(GameFolder, folder + "\\");
    ASSERT_TRUE(StoredFolder());
    EXPECT_EQ(StoredFolder()->first, folder + "\\");
}

TEST_F(BrowseForGameFolderTest, AFolderTheCodePageCannotSpellIsExplainedOnceEachTimeAndAskedAgain) {
    world.folderDialog.WillPickFolderNotInCodePage();
    world.folderDialog.WillPickFolderNotInCodePage();
    world.folderDialog.WillPick("C:\\Games\\GTA2");
    Browse();
    EXPECT_EQ(world.folderDialog.titles.size(), 3u);
    EXPECT_EQ(world.messages.shown,
              std::vector<std::string>(2,
                                       "The folder's path has characters that programs for this system's language "
                                       "cannot use. Choose a folder whose path has none of them."));
    EXPECT_EQ(GameFolder, "C:\\Games\\GTA2\\");
}

TEST_F(BrowseForGameFolderTest, AVirtualFolderIsNeverAcceptedEvenWhereTheGameIsCurrent) {
    // With no path, the file tests look in the current folder, which here
    // holds the game: the pick must still be turned down.
    world.files.ChangeFolder("C:\\Games\\GTA2");
    GameFolder = "";
    world.folderDialog.WillPickVirtualFolder();
    world.folderDialog.WillCancel();
    Browse();
    EXPECT_EQ(world.folderDialog.titles.size(), 2u);
    EXPECT_EQ(GameFolder, "");
    EXPECT_FALSE(StoredFolder());
}

TEST_F(BrowseForGameFolderTest, ADialogThatCannotBeShownIsReportedOnceAndChangesNothing) {
    world.folderDialog.WillPick("C:\\OnlyExe");
    world.folderDialog.WillFail(
        "Cannot find SHBrowseForFolderA in shell32.dll: The specified procedure could not be found.");
    world.folderDialog.WillPick("C:\\Games\\GTA2");  // must not be reached: no further ask
    Browse();
    EXPECT_EQ(world.folderDialog.titles.size(), 2u);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0],
              "Cannot find SHBrowseForFolderA in shell32.dll: The specified procedure could not be found.");
    EXPECT_EQ(GameFolder, "C:\\Old\\");
    EXPECT_FALSE(StoredFolder());
}

TEST_F(BrowseForGameFolderTest, AFailedSaveShowsTheDescriptionAloneAndKeepsTheAcceptedFolder) {
    // The description the accessor gives for this very write.
    std::string expected;
    {
        MemoryRegistry refusing;
        refusing.RefuseWritesUnder(kHkeyCurrentUser);
        cRegistry accessor(refusing, "Brindleway");
        accessor.ClassKey(kHkeyCurrentUser);
        accessor.SectionKey("SOFTWARE\\Lanternhall");
        accessor.ValueKey("GTA2Folder");
        accessor.ValueType(1);
        try {
            accessor.Value(TaggedValue(std::string("C:\\Games\\GTA2\\")));
            FAIL() << "the refusing registry accepted the write";
        } catch (const Failure& failure) {
            expected = failure.Description();
        }
    }
    ASSERT_FALSE(expected.empty());

    registry.RefuseWritesUnder(kHkeyCurrentUser);
    world.folderDialog.WillPick("C:\\Games\\GTA2");
    world.folderDialog.WillCancel();  // must not be reached: no second ask
    Browse();
    EXPECT_EQ(world.folderDialog.titles.size(), 1u);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0], expected);
    EXPECT_EQ(GameFolder, "C:\\Games\\GTA2\\");
    EXPECT_FALSE(StoredFolder());
    EXPECT_EQ(registry.OpenHandleCount(), 0);
}

}  // namespace
