// The window's start-up: finding the game folder, building the catalogue,
// restoring the chosen row, the title and the row count.

#include <algorithm>
#include <string>

#include "LauncherWorld.h"
#include "launcher/MapCatalogue.h"
#include "platform/Failure.h"
#include "standin/MapNameOrder.h"
#include "standin/StandinCodePage.h"

namespace {

const char* const kCaption = "Orvo's Brindleway v0.3 - ";

using LauncherLoad = LauncherTest;

}  // namespace

TEST_F(LauncherLoad, WithoutDescriptionFilesTheListHoldsTheTwelveBuiltInMaps) {
    LoadWithGame();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(folderDialog.titles.empty());
    EXPECT_TRUE(view.ListOptionsApplied());
    std::vector<std::pair<std::string, int>> columns = {
        {"Map name (12)", 3500}, {"MMP file", 2500}, {"GMP file", 2000}, {"STY file", 1600}, {"SCR file", 2500}};
    EXPECT_EQ(view.Columns(), columns);
    ASSERT_EQ(view.RowCount(), 12);
    // Every built-in row, exactly as listed, somewhere in the sorted list.
    for (const MapEntry& map : BuiltInMaps()) {
        EXPECT_NE(std::find(view.Rows().begin(), view.Rows().end(), map), view.Rows().end()) << map.name;
    }
    EXPECT_EQ(view.Rows()[0].name, "1st City - Downtown");
    EXPECT_EQ(BuiltInMaps()[3], (MapEntry{"1st City Bonus 1", "", "lorne2e.gmp", "wil.sty", "lorne2e.scr"}));
    EXPECT_EQ(BuiltInMaps()[11], (MapEntry{"3rd City Bonus 3", "", "mike2h.gmp", "bil.sty", "mike2h.scr"}));
    EXPECT_EQ(view.Caption(), std::string(kCaption) + "1st City - Downtown");
    // The caption's text is fixed, but its version must be the one the
    // version block and the download carry.
    const std::string projectVersion =
        std::to_string(BRINDLEWAY_VERSION_MAJOR) + "." + std::to_string(BRINDLEWAY_VERSION_MINOR);
    EXPECT_EQ(view.Caption(), "Orvo's Brindleway v" + projectVersion + " - 1st City - Downtown");
    EXPECT_EQ(form.SelectedIndex(), 1);
    EXPECT_EQ(view.SelectedRow(), 1);
}

TEST_F(LauncherLoad, DescriptionFilesJoinTheBuiltInMapsInNameOrder) {
    AddMap("zz.mmp", "Zaibatsu Zone", "zone");
    AddMap("Hood.MMP", "Mini-Hood", "hood");
    AddMap("golf.mmp", "Minigolf", "golf");
    AddMap("twin.mmp", "Minigolf", "golf2");  // same name: both listed, in the order found
    files.AddFile(std::string(kGame) + "data\\notes.txt", "not a map");
    files.AddFile(std::string(kGame) + "data\\hidden.mmp", DescriptionFile("Hidden", "h"), {true, false, false});
    files.AddFile(std::string(kGame) + "data\\system.mmp", DescriptionFile("System", "s"), {false, true, false});
    files.AddFolder(std::string(kGame) + "data\\folder.mmp");
    files.AddFile(std::string(kGame) + "data\\readonly.mmp", DescriptionFile("Read Only", "ro"), {false, false, true});
    // Backups that the search finds only by their 8.3 names.
    files.AddFile(std::string(kGame) + "data\\zz.mmp_old", DescriptionFile("Backup", "b"));
    files.GiveShortName(std::string(kGame) + "data\\zz.mmp_old", "ZZ~1.MMP");
    files.AddFile(std::string(kGame) + "data\\zz.mmpx", DescriptionFile("Backup", "b"));
    files.GiveShortName(std::string(kGame) + "data\\zz.mmpx", "ZZ~2.MMP");
    LoadWithGame();

    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(view.RowCount(), 17);
    EXPECT_EQ(view.Columns()[0].first, "Map name (17)");
    EXPECT_TRUE(std::is_sorted(view.Rows().begin(), view.Rows().end(), [](const MapEntry& a, const MapEntry& b) {
        return CompareMapNames(a.name, b.name) < 0;
    }));
    // The hyphen counts for nothing at first: Minigolf comes before Mini-Hood.
    std::vector<std::string> names = Names();
    auto golf = std::find(names.begin(), names.end(), "Minigolf") - names.begin();
    ASSERT_LT(golf + 2, static_cast<long>(names.size()));
    EXPECT_EQ(view.Rows()[golf].mmp, "golf.mmp");
    EXPECT_EQ(view.Rows()[golf + 1].mmp, "twin.mmp");
    EXPECT_EQ(view.Rows()[golf + 2], (MapEntry{"Mini-Hood", "Hood.MMP", "hood.gmp", "hood.sty", "hood.scr"}));
    EXPECT_EQ(view.Rows().back(), (MapEntry{"Zaibatsu Zone", "zz.mmp", "zone.gmp", "zone.sty", "zone.scr"}));
    EXPECT_EQ(std::count(names.begin(), names.end(), "Read Only"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Hidden") + std::count(names.begin(), names.end(), "System") +
                  std::count(names.begin(), names.end(), "Backup"),
              0);
}

TEST_F(LauncherLoad, UnreadableDescriptionFilesAreSkippedAndReportedOnceAfterTheList) {
    AddMap("a.mmp", "Alpha", "alpha");
    files.AddFile(std::string(kGame) + "data\\bad1.mmp", "[MapFiles]\r\nGMPFile = x.gmp\r\n");
    AddMap("b.mmp", "Bravo", "bravo");
    files.AddFile(std::string(kGame) + "data\\bad2.mmp", "x\rGMP\rSTYFile = s\rSCRFile = c\rDescription = Bad\r");
    AddMap("locked.mmp", "Locked", "l");
    files.LockFile(std::string(kGame) + "data\\locked.mmp");
    LoadWithGame();

    EXPECT_EQ(view.RowCount(), 14);  // no row, not even part of one, for a bad file
    EXPECT_EQ(view.Columns()[0].first, "Map name (14)");
    EXPECT_EQ(view.Caption(), std::string(kCaption) + "1st City - Downtown");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              "Error: Could not read 3 map description files: 'bad1.mmp': names no STY file; 'bad2.mmp': names no "
              "GMP file; 'locked.mmp': the file cannot be opened: Path/File access error Line: 0");
}

TEST_F(LauncherLoad, OneUnreadableFileIsNamedWithItsReason) {
    struct Case {
        std::string content;
        std::string reason;
    };
    const Case cases[] = {
        {"x\rGMPFile = g\rSTYFile\rSCRFile = c\rDescription = S\r", "names no STY file"},
        {"x\rGMPFile = " + std::string(251, 'g') + "\rSTYFile = s\rSCRFile = c\rDescription = S\r",
         "names a GMP file longer than the game can open (250 bytes)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        LauncherWorld world;
        world.files.AddFile(std::string(kGame) + "data\\bad.mmp", c.content);
        world.LoadWithGame();
        EXPECT_EQ(world.view.RowCount(), 12);
        EXPECT_EQ(world.messages.shown,
                  std::vector<std::string>{"Error: Could not read the map description file 'bad.mmp': " + c.reason +
                                           " Line: 0"});
    }
}

// The launched map is found wherever its row now stands; map_index decides
// where none is. The maps that move rows: 6 2nd City Aardvark, 14 Aardvark
// Map, 15 Katakana Map, 16 Mmm Middle Map. In code page 932 the 0x41 ('A')
// of a two-byte character is no letter to fold.
TEST_F(LauncherLoad, RememberedMapOrElseStoredMapIndexSelectsItsRowOrElseTheFirst) {
    struct Case {
        const char* stored;  // map_index; nullptr: nothing stored
        int expected;
        const char* file = nullptr;  // map_file; nullptr: nothing stored, nor map_name
        const char* name = "";
        std::uint32_t fileType = kRegSz;
        bool japanese = false;
    };
    const Case byIndex[] = {{nullptr, 1}, {"", 1},    {"12", 12},   {"13", 1},  {"5", 5},      {" 7 ", 7},   {"0", 1},
                            {"-5", 1},    {"abc", 1}, {"70000", 1}, {"2.5", 1}, {"-32769", 1}, {"32767", 1}, {"4x", 1}};
    const Case remembered[] = {{"15", 16, "mmm.mmp", "Mmm Middle Map"},
                               {"6", 7, "", "2nd City Bonus 1"},
                               {nullptr, 16, "MMM.MMP", "Mmm Middle Map"},
                               {"14", 14, "gone.mmp", "Gone Map"},
                               {"14", 14, "mmm.mmp", "Mmm Middle Map", kRegExpandSz},
                               {"3", 3, "", "Mmm Middle Map"},
                               {"2", 15, "\x83\x41.MMP", "Katakana Map"},
                               {"2", 2, "\x83\x41.MMP", "Katakana Map", kRegSz, true}};
    std::vector<Case> cases(std::begin(byIndex), std::end(byIndex));
    cases.insert(cases.end(), std::begin(remembered), std::end(remembered));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored ? c.stored : "(absent)") + " " + (c.file ? c.file : "(absent)"));
        LauncherWorld world(c.japanese ? Japanese932() : Western1252());
        if (c.stored) world.StoreMapIndex(c.stored);
        if (c.file) {
            world.StoreSetting("map_file", c.file, c.fileType);
            world.StoreSetting("map_name", c.name, kRegSz);
            world.AddMap("mmm.mmp", "Mmm Middle Map", "mmm");
            world.AddMap("aaa.mmp", "Aardvark Map", "aaa");
            world.AddMap("2nd.mmp", "2nd City Aardvark", "2nd");
            world.AddMap("\x83\x61.mmp", "Katakana Map", "kana");
        }
        world.LoadWithGame();
        EXPECT_TRUE(world.messages.shown.empty());
        EXPECT_EQ(world.form.SelectedIndex(), c.expected);
        EXPECT_EQ(world.view.SelectedRow(), c.expected);
        EXPECT_EQ(world.view.RowScrolledIntoView(), c.expected);
        EXPECT_TRUE(world.view.SelectionVisibleWithoutFocus());
        EXPECT_EQ(world.view.Caption(), kCaption + world.view.Rows()[c.expected - 1].name);
    }
}

TEST_F(LauncherLoad, MissingFolderBringsUpThePickerOnceAndUsesWhatWasPicked) {
    InstallGame("D:\\Other\\GTA2\\");
    AddMap("m.mmp", "Picked Map", "p", "D:\\Other\\GTA2\\");
    StoreGameFolder("C:\\Nowhere\\");
    folderDialog.WillPick("D:\\Other\\GTA2");
    form.Form_Load();
    EXPECT_EQ(folderDialog.titles.size(), 1u);
    EXPECT_EQ(GameFolder, "D:\\Other\\GTA2\\");
    EXPECT_EQ(view.RowCount(), 13);
    EXPECT_TRUE(messages.shown.empty());
}

// Whatever form the stored folder has, the load goes on with one full path
// ending in one backslash, finds the game there without asking, and stores
// nothing of its own.
TEST_F(LauncherLoad, StoredOrCurrentFolderBecomesOneFullPath) {
    struct Case {
        const char* stored;  // nullptr: nothing stored
        const char* currentFolder;
        const char* game;
        const char* expected;
        bool japanese;
    };
    const Case cases[] = {
        {nullptr, "C:\\Games\\GTA2", "C:\\Games\\GTA2\\", "C:\\Games\\GTA2\\", false},
        {"", "C:\\Games\\GTA2\\", "C:\\Games\\GTA2\\", "C:\\Games\\GTA2\\", false},
        {"C:\\Games\\GTA2", "C:\\", "C:\\Games\\GTA2\\", "C:\\Games\\GTA2\\", false},
        {"C:\\Games\\GTA2\\\\", "C:\\", "C:\\Games\\GTA2\\", "C:\\Games\\GTA2\\", false},
        {"GTA2\\", "C:\\Games", "C:\\Games\\GTA2\\", "C:\\Games\\GTA2\\", false},
        {"..\\GTA2", "C:\\Games\\Tools", "C:\\Games\\GTA2\\", "C:\\Games\\GTA2\\", false},
        // The last byte of 表 in code page 932 has a backslash's value.
        {"C:\\Games\\\x95\x5C", "C:\\", "C:\\Games\\\x95\x5C\\", "C:\\Games\\\x95\x5C\\", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        LauncherWorld world(c.japanese ? Japanese932() : Western1252());
        world.files.AddFile(std::string(c.game) + "data\\attract\\attr1.rep", "");
        world.files.AddFile(std::string(c.game) + "data\\here.mmp", DescriptionFile("Here", "here"));
        world.files.AddFolder(c.currentFolder);
        world.files.ChangeFolder(c.currentFolder);
        if (c.stored) {
            world.StoreGameFolder(c.stored);
            world.registry.writes.clear();
        }
        world.form.Form_Load();
        EXPECT_TRUE(world.folderDialog.titles.empty());
        EXPECT_EQ(GameFolder, c.expected);
        EXPECT_EQ(world.view.RowCount(), 13);
        EXPECT_TRUE(world.messages.shown.empty());
        EXPECT_TRUE(world.registry.writes.empty());
    }
}

TEST_F(LauncherLoad, CancelledPickerStillBuildsTheListFromTheUnchangedFolder) {
    folderDialog.WillCancel();
    form.Form_Load();
    EXPECT_EQ(folderDialog.titles.size(), 1u);
    EXPECT_EQ(GameFolder, "C:\\");  // nothing stored: the current folder
    EXPECT_EQ(view.RowCount(), 12);
    EXPECT_EQ(view.Caption(), std::string(kCaption) + "1st City - Downtown");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LauncherLoad, FailureOfTheStartUpIsReportedAndTheWindowKeepsGoing) {
    InstallGame();
    StoreGameFolder(kGame);
    // The list refusing its column title stands for any failure after the rows.
    class RefusingView : public HeadlessView {
    public:
        void SetColumnTitle(int, const std::string&) override { throw Failure(35600, "", "Index out of bounds"); }
    } refusing;
    frmLauncher form2(refusing, platform);
    form2.Form_Load();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Error: Index out of bounds Line: 0"});
    EXPECT_EQ(refusing.RowCount(), 12);
}
