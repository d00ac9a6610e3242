// The Win32 file and process services, and the system routines over them,
// against the real file system and process list.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <map>

#include "FakeGame.h"
#include "GuiDriver.h"
#include "Scratch.h"
#include "launcher/GameFolder.h"
#include "platform/Failure.h"
#include "platform/Platform.h"
#include "standin/RecordingMessages.h"
#include "system/modBrowse.h"
#include "system/modIsCheckProcess.h"
#include "system/modMisc.h"
#include "windows/Handles.h"
#include "windows/SystemLibrary.h"
#include "windows/Win32FileSystem.h"
#include "windows/Win32FolderDialog.h"
#include "windows/Win32Processes.h"
#include "windows/Win32Registry.h"

namespace {

// ---- Files --------------------------------------------------------------------

class Win32FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch.Write("gta2.exe", "MZ");
        scratch.Write("readme.txt", "read me");
        scratch.Write("hidden.dat", "h");
        scratch.Write("system.dat", "s");
        scratch.Write("data\\attract\\attr1.rep", "demo");
        scratch.Write("data\\ste.mmp", "[MapFiles]\r\n");
        SetFileAttributesA((scratch / "readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesA((scratch / "hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((scratch / "system.dat").c_str(), FILE_ATTRIBUTE_SYSTEM);
    }
    std::string In(const std::string& relative) const { return scratch / relative; }

    gui::ScratchFolder scratch{"system-files"};
    Win32FileSystem files;
};

TEST_F(Win32FilesTest, OpenReadsTheWholeFileAndFailuresCarryTheSystemsText) {
    std::string content;
    {
        auto file = files.OpenForReading(In("readme.txt"));
        char buffer[4];
        EXPECT_TRUE(file->IsDiskFile());
        for (std::size_t got; (got = file->Read(buffer, sizeof buffer)) != 0;) content.append(buffer, got);
    }
    EXPECT_EQ(content, "read me");
    // Names the system takes for devices wherever they stand, none of them
    // here, nor mapped under Wine: an attempt to open one would fail.
    for (const char* device : {"data\\lpt9.mmp", "PRN .x.mmp"}) {
        EXPECT_FALSE(files.OpenForReading(In(device))->IsDiskFile()) << device;
        // Whatever the search saw under that name.
        EXPECT_FALSE(files.OpenFound(In(device), {device, "", true, true})->IsDiskFile()) << device;
    }
    // The search tells a file with data from an empty entry, which a device
    // or a pipe also shows.
    scratch.Write("empty.dat");
    for (const FileSystem::FoundFile& found : files.FindPlainFilesWithShortNames(In("*"))) {
        EXPECT_EQ(found.holdsData, found.name != "empty.dat") << found.name;
    }

    try {
        files.OpenForReading(In("missing.txt"));
        FAIL() << "a missing file opened";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Number(), ERROR_FILE_NOT_FOUND);
        EXPECT_FALSE(failure.Description().empty());
        EXPECT_EQ(failure.Description().find('\n'), std::string::npos);
    }

    // Held open without sharing, as another program might.
    UniqueFileHandle holder(CreateFileA(In("gta2.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    try {
        files.OpenForReading(In("gta2.exe"));
        FAIL() << "a file held without sharing opened";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Number(), ERROR_SHARING_VIOLATION);
    }
}

// Puts the process's current folder back after a test that moves it.
class CurrentFolderGuard {
public:
    CurrentFolderGuard() { GetCurrentDirectoryA(MAX_PATH, saved_); }
    ~CurrentFolderGuard() { SetCurrentDirectoryA(saved_); }

private:
    char saved_[MAX_PATH] = {};
};

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

TEST_F(Win32FilesTest, FolderAndDriveChangesMoveTheCurrentFolder) {
    CurrentFolderGuard guard;
    files.ChangeFolder(scratch.Path());
    EXPECT_EQ(CurrentFolder(), scratch.Path());
    EXPECT_TRUE(FileExists(files, "data\\attract\\attr1.rep"));

    // A drive change lands in the folder last made current on that drive.
    files.ChangeFolder("Z:\\tmp");
    files.ChangeDrive(scratch.Path()[0]);
    EXPECT_EQ(CurrentFolder(), scratch.Path());

    EXPECT_THROW(files.ChangeFolder(In("nofolder")), Failure);
    EXPECT_THROW(files.ChangeDrive('Q'), Failure);
    EXPECT_EQ(CurrentFolder(), scratch.Path());
}

// ---- Processes -------------------------------------------------------------------

const std::string kFakeGame = gui::WindowsPath(FAKE_GAME_PATH);

// The snapshot road on the real Tool Help functions: the same process list,
// reported as the Windows 95 family.
class ReportsWindows95 : public Win32Processes {
public:
    bool GetVersionEx(std::uint32_t* platformId) override {
        *platformId = 1;
        return true;
    }
};

// The process-status road where no process lets itself be read, as the game
// run as administrator does not: its name comes from the limited query, or,
// with that refused too (a protected process), from a snapshot.
class RefusesToOpen : public Win32Processes {
public:
    explicit RefusesToOpen(std::uint32_t refusedAccess) : refused_(refusedAccess) {}
    ProcessHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) override {
        if ((access & refused_) != 0) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
        return Win32Processes::OpenProcess(access, inheritHandle, processId);
    }

private:
    std::uint32_t refused_;
};

class RunningGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA(kFakeGame.c_str(), (scratch / "gta2.exe").c_str(), FALSE)) << kFakeGame;
    }
    void TearDown() override { StopGame(); }

    // Starts the stand-in game the way the launch does and waits for it to
    // report; returns its process id.
    DWORD StartGame() {
        const std::string exe = scratch / "gta2.exe";
        Win32Processes processes;
        processes.StartProgram(exe, "\"" + exe + "\"", scratch.Path() + "\\");
        const std::string report = scratch / "fake-game-report.txt";
        EXPECT_TRUE(gui::WaitUntil([&] { return GetFileAttributesA(report.c_str()) != INVALID_FILE_ATTRIBUTES; }));
        auto values = gui::ReadGameReport(report);
        gameId_ = static_cast<DWORD>(std::stoul(values.count("pid") ? values["pid"] : "0"));
        return gameId_;
    }

    void StopGame() {
        gui::EndProcess(gameId_);
        gameId_ = 0;
    }

    gui::ScratchFolder scratch{"system-game"};
    DWORD gameId_ = 0;
};

TEST_F(RunningGameTest, StartedGameRunsInItsFolderWithItsQuotedPath) {
    ASSERT_NE(StartGame(), 0u);
    auto report = gui::ReadGameReport(scratch / "fake-game-report.txt");
    EXPECT_EQ(report["folder"], scratch.Path());  // the system drops the final backslash
    EXPECT_EQ(report["command_line"], "\"" + (scratch / "gta2.exe") + "\"");
}

TEST_F(RunningGameTest, GameIsFoundByNameOnBothRoadsUntilItStops) {
    Win32Processes real;
    ReportsWindows95 windows95;
    RecordingMessages messages;
    auto onNt = [&](const std::string& name) { return IsProcessRunning(real, messages, name); };
    auto onWindows95 = [&](const std::string& name) { return IsProcessRunning(windows95, messages, name); };
    RefusesToOpen elevated(0x410);
    RefusesToOpen protectedOnes(0x410 | 0x1000);
    auto unreadable = [&](const std::string& name) { return IsProcessRunning(elevated, messages, name); };
    auto unopenable = [&](const std::string& name) { return IsProcessRunning(protectedOnes, messages, name); };
    EXPECT_EQ(GetPlatformId(real), 2);

    EXPECT_FALSE(onNt("gta2.exe"));
    EXPECT_FALSE(onWindows95("gta2.exe"));
    EXPECT_FALSE(unreadable("gta2.exe"));
    EXPECT_FALSE(unopenable("gta2.exe"));

    ASSERT_NE(StartGame(), 0u);
    EXPECT_TRUE(onNt("gta2.exe"));
    EXPECT_TRUE(onNt("GTA2.EXE"));
    EXPECT_TRUE(onNt("\\gta2.exe"));
    EXPECT_FALSE(onNt("xgta2.exe"));
    EXPECT_TRUE(onWindows95("ignored.exe"));
    EXPECT_TRUE(unreadable("GTA2.EXE"));
    EXPECT_TRUE(unreadable("\\gta2.exe"));  // the full path
    EXPECT_TRUE(unopenable("GTA2.EXE"));
    EXPECT_FALSE(unopenable("\\gta2.exe"));  // the snapshot names the file only
    EXPECT_FALSE(unopenable("xgta2.exe"));

    StopGame();
    EXPECT_FALSE(onNt("gta2.exe"));
    EXPECT_FALSE(onWindows95("gta2.exe"));
    EXPECT_FALSE(unreadable("gta2.exe"));
    EXPECT_FALSE(unopenable("gta2.exe"));
    // This test program itself is found by its own name.
    EXPECT_TRUE(onNt("system_services_win32.exe"));
    EXPECT_TRUE(unreadable("system_services_win32.exe"));
    EXPECT_TRUE(unopenable("system_services_win32.exe"));

    // Held before its loader runs, the game has no module list to read.
    std::string exe = scratch / "gta2.exe", commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                               nullptr, &startup, &started));
    UniqueHandle process(started.hProcess), thread(started.hThread);
    gameId_ = started.dwProcessId;
    EXPECT_TRUE(onNt("\\gta2.exe"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ProcessLibraries, AMissingLibraryIsReportedAndAnswersFalse) {
    Win32Processes noProcessStatus("kernel32.dll", "brindleway-no-such-psapi.dll");
    RecordingMessages messages;
    EXPECT_FALSE(IsProcessRunning(noProcessStatus, messages, "system_services_win32.exe"));
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string prefix = "Error searching for GTA2 in the process list: ";
    EXPECT_EQ(messages.shown[0].rfind(prefix, 0), 0u) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find("brindleway-no-such-psapi.dll"), std::string::npos);

    // A library that lacks the function fails the same way.
    Win32Processes wrongLibrary("kernel32.dll", "user32.dll");
    std::uint32_t ids[4] = {}, returned = 0;
    EXPECT_THROW(wrongLibrary.EnumProcesses(ids, sizeof ids, &returned), Failure);
}

TEST(ProcessLibraries, LibrariesComeFromTheSystemFolderOnly) {
    gui::ScratchFolder scratch("system-planted");
    char systemFolder[MAX_PATH] = {};
    GetSystemDirectoryA(systemFolder, MAX_PATH);
    const std::string planted = scratch / "brindleway-planted.dll";
    ASSERT_TRUE(CopyFileA((std::string(systemFolder) + "\\psapi.dll").c_str(), planted.c_str(), FALSE));
    CurrentFolderGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path().c_str()));

    EXPECT_EQ(LoadSystemLibrary("brindleway-planted.dll"), nullptr);
    UniqueLibrary real(LoadSystemLibrary("psapi.dll"));
    EXPECT_TRUE(real);

    // The system's own loads by plain name: found in the current folder
    // until the program narrows the search, as it does first thing.
    UniqueLibrary before(LoadLibraryA("brindleway-planted.dll"));
    ASSERT_TRUE(before) << "the planted copy is not found even before the search is narrowed";
    before.reset();
    RestrictLibrarySearchToSystemFolder();
    UniqueLibrary after(LoadLibraryA("brindleway-planted.dll"));
    EXPECT_FALSE(after);
    UniqueLibrary system(LoadLibraryA("psapi.dll"));
    EXPECT_TRUE(system);
    // The other tests in this process keep the usual search.
    using SetDefaultDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (auto widen = FindKernelFunction<SetDefaultDirectoriesFn>("SetDefaultDllDirectories"))
        widen(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}

TEST(FolderDialogLibraries, AMissingLibraryOrFunctionFailsOnlyThePicker) {
    // What the dialog loads stays loaded after it has gone: the shell may
    // leave threads running in its libraries.
    ASSERT_EQ(GetModuleHandleA("msacm32.dll"), nullptr) << "pick a library this test program does not load";
    {
        Win32FolderDialog wrongShell([] { return HWND{}; }, "msacm32.dll");
        EXPECT_THROW(wrongShell.Browse("title", 0), Failure);
    }
    EXPECT_NE(GetModuleHandleA("msacm32.dll"), nullptr) << "the library was let go with the dialog";

    Win32RegistryApi registry;
    Win32FileSystem files;
    Win32Processes processes;
    RecordingMessages messages;
    Win32FolderDialog noShell([] { return HWND{}; }, "brindleway-no-such-shell32.dll");
    Platform platform{registry, files, processes, noShell, messages, "SystemServicesTest"};
    GameFolder = "C:\\Old\\";
    BrowseForGameFolder(platform);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Cannot load brindleway-no-such-shell32.dll: ", 0), 0u) << messages.shown[0];
    EXPECT_EQ(GameFolder, "C:\\Old\\");
    GameFolder.clear();

    Win32FolderDialog noComFunction([] { return HWND{}; }, "shell32.dll", "user32.dll");
    try {
        noComFunction.Browse("title", 0);
        FAIL() << "the dialog was shown without CoTaskMemFree";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.Description().find("CoTaskMemFree in user32.dll"), std::string::npos)
            << failure.Description();
    }
}

TEST(StartProgram, AProgramThatIsNotThereFailsWithTheSystemsText) {
    Win32Processes processes;
    try {
        processes.StartProgram("C:\\brindleway-nowhere\\gta2.exe", "\"C:\\brindleway-nowhere\\gta2.exe\"", "C:\\");
        FAIL() << "a missing program started";
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.Number() == ERROR_PATH_NOT_FOUND || failure.Number() == ERROR_FILE_NOT_FOUND)
            << failure.Number();
        EXPECT_FALSE(failure.Description().empty());
    }
}

}  // namespace
