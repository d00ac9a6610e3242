// The launch button, the resize rule and row clicks.

#include "LauncherWorld.h"
#include "platform/Failure.h"

namespace {

class LauncherLaunch : public LauncherTest {
protected:
    // A loaded window with the game installed and one map of the user's.
    void Loaded(const std::string& folder = kGame) {
        InstallGame(folder);
        AddMap("town.mmp", "Old Town", "town", folder);
        StoreGameFolder(folder);
        form.Form_Load();
        ASSERT_TRUE(messages.shown.empty());
        registry.writes.clear();
    }
    int RowNamed(const std::string& name) {
        for (int row = 1; row <= view.RowCount(); ++row) {
            if (view.CellText(row, 1) == name) return row;
        }
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
};

const std::string kDebug = "software\\dma design ltd\\gta2\\Debug\\";

}  // namespace

TEST_F(LauncherLaunch, WritesTheChoiceAndTheDebugValuesThenStartsTheGame) {
    Loaded();
    int row = RowNamed("Old Town");
    view.UserSelects(row);
    form.cmdStart_Click();

    EXPECT_TRUE(messages.shown.empty());
    const std::vector<std::string> expected = {
        "HKCU|software\\Lanternhall|map_index|1|" + std::to_string(row),
        "HKCU|software\\Lanternhall|map_file|1|town.mmp",
        "HKCU|software\\Lanternhall|map_name|1|Old Town",
        "HKLM|" + kDebug + "|mapname|1|town.gmp",
        "HKLM|" + kDebug + "|scriptName|1|town.scr",
        "HKLM|" + kDebug + "|stylename|1|town.sty",
        "HKLM|" + kDebug + "|skip_frontend|4|0",
        "HKCU|" + kDebug + "|mapname|1|town.gmp",
        "HKCU|" + kDebug + "|scriptName|1|town.scr",
        "HKCU|" + kDebug + "|stylename|1|town.sty",
        "HKCU|" + kDebug + "|skip_frontend|4|0",
    };
    EXPECT_EQ(registry.writes, expected);
    EXPECT_EQ(form.SelectedIndex(), row);
    EXPECT_EQ(form.GmpFile(), "town.gmp");
    EXPECT_EQ(form.StyFile(), "town.sty");
    EXPECT_EQ(form.ScrFile(), "town.scr");
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].applicationPath, "C:\\Games\\GTA2\\gta2.exe");
    EXPECT_EQ(processes.started[0].commandLine, "\"C:\\Games\\GTA2\\gta2.exe\"");
    EXPECT_EQ(processes.started[0].currentFolder, "C:\\Games\\GTA2\\");
    EXPECT_EQ(files.CurrentFolder(), "C:\\Games\\GTA2\\");

    // The next start selects the launched map again, though a map that
    // sorts before it has come since.
    AddMap("aaa.mmp", "Aardvark Map", "aaa");
    HeadlessView nextView;
    frmLauncher next(nextView, platform);
    next.Form_Load();
    EXPECT_EQ(nextView.SelectedRow(), row + 1);
    EXPECT_EQ(nextView.Caption(), "Orvo's Brindleway v0.3 - Old Town");
}

TEST_F(LauncherLaunch, RefusesWhileTheGameRuns) {
    Loaded();
    processes.AddProcess("C:\\Games\\GTA2\\gta2.exe");
    form.cmdStart_Click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"GTA2 is currently active.  Exit GTA2 and try again."});
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(LauncherLaunch, MissingExecutableIsNamedAfterTheValuesAreWritten) {
    Loaded();
    files.RemoveFile("C:\\Games\\GTA2\\gta2.exe");
    form.cmdStart_Click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"C:\\Games\\GTA2\\gta2.exe not found!"});
    EXPECT_EQ(registry.writes.size(), 11u);
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(LauncherLaunch, MachineKeyRefusedStopsAfterTheChoiceIsSaved) {
    Loaded();
    registry.RefuseWritesUnder(kHkeyLocalMachine);
    view.UserSelects(3);
    form.cmdStart_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Error during 1 player test: ", 0), 0u) << messages.shown[0];
    EXPECT_EQ(messages.shown[0].substr(messages.shown[0].size() - 10), " - Line: 0");
    // A built-in row: it has no description file to remember.
    const std::vector<std::string> saved = {"HKCU|software\\Lanternhall|map_index|1|3",
                                            "HKCU|software\\Lanternhall|map_file|1|",
                                            "HKCU|software\\Lanternhall|map_name|1|1st City Bonus 2"};
    EXPECT_EQ(registry.writes, saved);
    EXPECT_EQ(Stored(kHkeyCurrentUser, kDebug, "mapname"), std::nullopt);
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(LauncherLaunch, NoSelectedRowIsReportedAndNothingIsWritten) {
    Loaded();
    view.UserSelects(0);
    form.cmdStart_Click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Error during 1 player test: No map is selected: choose a "
                                                       "map in the list first - Line: 0"});
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_TRUE(processes.started.empty());
}

// A gta2.exe at the root of the drive is what a folder taken from the wrong
// current folder would start.
TEST_F(LauncherLaunch, AFolderFoundFromTheCurrentFolderIsTheOneLaunchedFrom) {
    struct Case {
        const char* stored;  // nullptr: nothing stored
        const char* currentFolder;
    };
    for (const Case& c : {Case{nullptr, kGame}, Case{"GTA2", "C:\\Games"}, Case{"..\\GTA2\\", "C:\\Games\\Tools"}}) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        LauncherWorld world;
        world.InstallGame();
        world.files.AddFile("C:\\gta2.exe", "MZ");
        world.files.AddFolder(c.currentFolder);
        world.files.ChangeFolder(c.currentFolder);
        if (c.stored) world.StoreGameFolder(c.stored);
        world.form.Form_Load();
        world.form.cmdStart_Click();
        world.form.cmdStart_Click();  // from the game folder now: still the same game
        EXPECT_TRUE(world.folderDialog.titles.empty());
        EXPECT_TRUE(world.messages.shown.empty());
        ASSERT_EQ(world.processes.started.size(), 2u);
        for (const auto& started : world.processes.started) {
            EXPECT_EQ(started.applicationPath, "C:\\Games\\GTA2\\gta2.exe");
            EXPECT_EQ(started.currentFolder, "C:\\Games\\GTA2\\");
        }
        const auto stored = c.stored ? std::optional<std::string>(c.stored) : std::nullopt;
        EXPECT_EQ(world.Stored(kHkeyCurrentUser, "SOFTWARE\\Lanternhall", "GTA2Folder"), stored) << "rewritten";
    }
}

TEST_F(LauncherLaunch, ARowWithoutOneOfItsFileNamesIsReportedAndNothingIsWritten) {
    struct Case {
        MapEntry row;
        const char* missing;
    };
    const Case cases[] = {{{"No Map", "n.mmp", "", "n.sty", "n.scr"}, "GMP"},
                          {{"No Style", "n.mmp", "n.gmp", "", "n.scr"}, "STY"},
                          {{"No Script", "n.mmp", "n.gmp", "n.sty", ""}, "SCR"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        LauncherWorld world;
        world.InstallGame();
        GameFolder = kGame;
        world.view.ShowRows({c.row});
        world.view.UserSelects(1);
        world.form.cmdStart_Click();
        EXPECT_EQ(world.messages.shown,
                  std::vector<std::string>{"Error during 1 player test: The selected map names no " +
                                           std::string(c.missing) + " file - Line: 0"});
        EXPECT_TRUE(world.registry.writes.empty());
        EXPECT_TRUE(world.processes.started.empty());
    }
}

TEST_F(LauncherLaunch, GameFolderGetsItsBackslashOnce) {
    InstallGame();
    GameFolder = "C:\\Games\\GTA2";
    form.cmdStart_Click();  // nothing loaded: no row is selected, yet the folder is not touched
    EXPECT_EQ(GameFolder, "C:\\Games\\GTA2");

    messages.shown.clear();
    view.ShowRows({MapEntry{"Only", "", "o.gmp", "o.sty", "o.scr"}});
    view.UserSelects(1);
    form.cmdStart_Click();
    form.cmdStart_Click();
    EXPECT_EQ(GameFolder, "C:\\Games\\GTA2\\");
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(processes.started.size(), 2u);
    EXPECT_EQ(processes.started[1].applicationPath, "C:\\Games\\GTA2\\gta2.exe");
}

TEST_F(LauncherLaunch, FolderWithBlanksIsQuotedOnTheCommandLine) {
    Loaded("C:\\Program Files\\Rockstar Games\\GTA2\\");
    form.cmdStart_Click();
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].applicationPath, "C:\\Program Files\\Rockstar Games\\GTA2\\gta2.exe");
    EXPECT_EQ(processes.started[0].commandLine, "\"C:\\Program Files\\Rockstar Games\\GTA2\\gta2.exe\"");
}

TEST_F(LauncherLaunch, NetworkFolderStartsWithoutADriveChange) {
    // The stand-in has no drive for a network path: a drive change would fail.
    class NetworkFiles : public StandinFileSystem {
    public:
        void ChangeDrive(char drive) override { throw Failure(68, "", std::string("no drive ") + drive); }
        void ChangeFolder(const std::string& path) override { folder = path; }
        std::vector<std::string> FindPlainFiles(const std::string& pattern) override {
            return pattern == "\\\\server\\games\\gta2\\gta2.exe" ? std::vector<std::string>{"gta2.exe"}
                                                                  : std::vector<std::string>{};
        }
        std::string folder;
    } network;
    Platform networked{registry, network, processes, folderDialog, messages, "Brindleway"};
    frmLauncher launcher(view, networked);
    view.ShowRows({MapEntry{"Only", "", "o.gmp", "o.sty", "o.scr"}});
    view.UserSelects(1);
    GameFolder = "\\\\server\\games\\gta2";
    launcher.cmdStart_Click();
    EXPECT_TRUE(messages.shown.empty()) << messages.shown[0];
    EXPECT_EQ(network.folder, "\\\\server\\games\\gta2\\");
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].commandLine, "\"\\\\server\\games\\gta2\\gta2.exe\"");
}

TEST_F(LauncherLaunch, FailedStartIsReported) {
    Loaded();
    processes.startError = 2;
    form.cmdStart_Click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Error during 1 player test: The system cannot find the "
                                                       "file specified. - Line: 0"});
    messages.shown.clear();
    processes.startError = 740;  // the game is set to run as administrator
    form.cmdStart_Click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Error during 1 player test: gta2.exe is set to run as "
                                                       "administrator. Start Brindleway as administrator too, or "
                                                       "clear that setting on gta2.exe. - Line: 0"});
}

// The window's own events, on the same stand-in world.
using LauncherWindow = LauncherTest;

TEST_F(LauncherWindow, ResizeFitsTheListAndSkipsAnUnusableDimension) {
    view.SetOuterSizeTwips(20000, 12000);
    form.Form_Resize();
    EXPECT_EQ(view.ListWidthTwips(), 19650);
    EXPECT_EQ(view.ListHeightTwips(), 10500);

    view.SetOuterSizeTwips(5000, 1200);  // too low for the list: its height stays
    form.Form_Resize();
    EXPECT_EQ(view.ListWidthTwips(), 4650);
    EXPECT_EQ(view.ListHeightTwips(), 10500);

    view.SetOuterSizeTwips(300, 1500);  // too narrow: the height still follows
    form.Form_Resize();
    EXPECT_EQ(view.ListWidthTwips(), 4650);
    EXPECT_EQ(view.ListHeightTwips(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LauncherWindow, RowClickTitlesTheWindowWithTheRowsName) {
    view.ShowRows({MapEntry{"1st City - Downtown", "", "wil.gmp", "wil.sty", "wil.scr"},
                   MapEntry{"", "empty.mmp", "e.gmp", "e.sty", "e.scr"}});

    form.lvMaps_ItemClick(1);
    EXPECT_EQ(view.Caption(), "Orvo's Brindleway v0.3 - 1st City - Downtown");
    form.lvMaps_ItemClick(2);
    EXPECT_EQ(view.Caption(), "Orvo's Brindleway v0.3 - ");
    // No guard: a row that does not exist is the caller's fault and is not hidden.
    EXPECT_THROW(form.lvMaps_ItemClick(3), Failure);
    // Nor a list whose columns were never added: the real one has no cells then.
    HeadlessView bare;
    bare.AppendRows(view.Rows());
    frmLauncher bareForm(bare, platform);
    EXPECT_THROW(bareForm.lvMaps_ItemClick(1), Failure);
    EXPECT_EQ(form.SelectedIndex(), 0);
}
