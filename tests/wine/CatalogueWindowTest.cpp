// The map catalogue as the real Brindleway.exe shows it under Wine: which
// description files become rows, every cell of every row in displayed order,
// the row chosen at start from the stored map_index, the count in the first
// column's title, the caption, and the report of a file that cannot be used.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "FakeGame.h"
#include "GuiDriver.h"
#include "LauncherTest.h"
#include "Scratch.h"
#include "SystemOrder.h"
#include "launcher/MapCatalogue.h"
#include "standin/MapNameOrder.h"
#include "windows/Handles.h"

namespace {

constexpr const char* kSettingsKey = gui::ScopedLauncherSettings::kSettingsKey;
const char kCaptionPrefix[] = "Orvo's Brindleway v0.3 - ";
constexpr int kFillerMaps = 24;  // enough rows that the last one needs scrolling to
const std::string kFakeGame = gui::WindowsPath(FAKE_GAME_PATH);

// A description file in the game's own layout.
std::vector<std::string> DescriptionLines(const std::string& name, const std::string& gmp, const std::string& sty,
                                          const std::string& scr) {
    return {"[MapFiles]", "GMPFile = " + gmp, "STYFile = " + sty, "SCRFile = " + scr, "Description = " + name, ""};
}

std::string Join(const std::vector<std::string>& lines, const std::string& lineEnd, bool lastLineEnded = true) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (lastLineEnded || i + 1 < lines.size()) text += lineEnd;
    }
    return text;
}

std::string Show(const MapEntry& row) {
    return "[" + row.name + " | " + row.mmp + " | " + row.gmp + " | " + row.sty + " | " + row.scr + "]";
}

// CompareStringA, which reads the bytes in the code page of the user's
// locale: where that is not the ANSI one, the order of the wrong letters.
int OrderInTheLocalesOwnCodePage(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

bool SystemSortsAfter(const std::string& a, const std::string& b) { return SystemOrder(a, b) > 0; }

std::vector<std::string> Names(const std::vector<MapEntry>& rows) {
    std::vector<std::string> names;
    for (const MapEntry& row : rows) names.push_back(row.name);
    return names;
}

class CatalogueWindowTest : public LauncherTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LauncherTest::SetUp());
        game_.MakeGameFolder();
        UseSettings(game_.Path() + "\\");

        // Every way a line may end, a seventh line that must not matter, and
        // a file that stops after its fifth line without any line end.
        std::vector<std::string> lines = DescriptionLines("Minigolf", "golf.gmp", "golf.sty", "golf.scr");
        lines.back() = "[Extra]";
        lines.push_back("Anything = whatever follows is the game's business");
        Listed("crlf.mmp", Join(lines, "\r\n"), {"Minigolf", "crlf.mmp", "golf.gmp", "golf.sty", "golf.scr"});
        Listed("cr.mmp", Join(DescriptionLines("Mini-Hood", "hood.gmp", "hood.sty", "hood.scr"), "\r"),
               {"Mini-Hood", "cr.mmp", "hood.gmp", "hood.sty", "hood.scr"});
        Listed("lf.mmp", Join(DescriptionLines("apex", "apex.gmp", "apex.sty", "apex.scr"), "\n"),
               {"apex", "lf.mmp", "apex.gmp", "apex.sty", "apex.scr"});
        lines = DescriptionLines("MiniHood", "mh.gmp", "mh.sty", "mh.scr");
        lines.pop_back();
        Listed("five.mmp", Join(lines, "\r\n", false), {"MiniHood", "five.mmp", "mh.gmp", "mh.sty", "mh.scr"});

        // Letter case alone, a name used twice, and mixed case around them.
        AddMap("za1.mmp", "Zaibatsu", "za1.gmp");
        AddMap("za2.mmp", "zaibatsu", "za2.gmp");
        AddMap("twin-a.mmp", "Twin Towers", "twin-a.gmp");
        AddMap("twin-b.mmp", "Twin Towers", "twin-b.gmp");
        AddMap("bravo.mmp", "Bravo", "bravo.gmp");
        AddMap("cobalt.mmp", "cobalt", "cobalt.gmp");
        for (int i = 1; i <= kFillerMaps; ++i) {
            const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
            AddMap("zone" + number + ".mmp", "Zone " + number, "zone" + number + ".gmp");
        }

        // Cut at 100 characters; the blanks around a value are no part of it.
        const std::string longName = std::string(60, 'L') + std::string(70, 'n');
        Listed("edge.mmp", Join(DescriptionLines(longName, "edge.gmp", "\tedge.sty  ", "edge.scr"), "\r\n"),
               {longName.substr(0, 100), "edge.mmp", "edge.gmp", "edge.sty", "edge.scr"});
        // Read by key, as the game reads them: extra keys before the name, no
        // blanks around '=', a comment and another section first, and no name.
        Listed("derby.mmp",
               Join({"[MapFiles]", "GMPFile = derby.gmp", "STYFile = derby.sty", "SCRFile = derby.scr",
                     "GXTFile = derby.gxt", "MMPFile = derby.mmp", "Description = Bloodring - Destruction Derby"},
                    "\r\n"),
               {"Bloodring - Destruction Derby", "derby.mmp", "derby.gmp", "derby.sty", "derby.scr"});
        Listed("tight.mmp",
               Join({"; by hand", "[Client]", "Name = x", "[mapfiles]", "Description=Tight Fit", "scrfile=tight.scr",
                     "STYFile=tight.sty", "GMPFile=tight.gmp"},
                    "\n"),
               {"Tight Fit", "tight.mmp", "tight.gmp", "tight.sty", "tight.scr"});
        Listed("nameless.mmp", Join({"[MapFiles]", "GMPFile = nl.gmp", "STYFile = nl.sty", "SCRFile = nl.scr"}, "\r"),
               {"", "nameless.mmp", "nl.gmp", "nl.sty", "nl.scr"});
        // As Windows' own reader gives them to the game: quotes around a name
        // with blanks dropped, Ctrl-Z left by an old editor dropped, and a
        // file saved as "Unicode" read, its accents in the Western code page.
        Listed("quoted.mmp",
               Join({"[MapFiles]", "GMPFile = \"quoted town.gmp\"", "STYFile = 'quoted.sty'", "SCRFile = \"half.scr",
                     "Description = \"Quoted Town\"\x1A"},
                    "\r\n"),
               {"Quoted Town", "quoted.mmp", "quoted town.gmp", "quoted.sty", "\"half.scr"});
        const std::string cafe = GetACP() == 1252 ? "Unicode Caf\xE9" : "Unicode Cafe";
        std::string unicode = "\xFF\xFE";
        for (const char c : Join(DescriptionLines(cafe, "cafe.gmp", "cafe.sty", "cafe.scr"), "\r\n")) {
            unicode += {c, '\0'};
        }
        Listed("unicode.mmp", unicode, {cafe, "unicode.mmp", "cafe.gmp", "cafe.sty", "cafe.scr"});

        // Found by no search for plain description files.
        const std::string unused = Join(DescriptionLines("Should Not Show", "no.gmp", "no.sty", "no.scr"), "\r\n");
        game_.Write("data\\hidden.mmp", unused);
        game_.Write("data\\system.mmp", unused);
        game_.Write("data\\x.mmp\\inner.mmp", unused);
        game_.Write("data\\readme.txt", unused);
        // Backups, which a search for *.mmp meets by their short names.
        game_.Write("data\\x.mmp_old", unused);
        game_.Write("data\\x.mmpx", unused);
        ASSERT_TRUE(SetFileAttributesA((game_ / "data\\hidden.mmp").c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(SetFileAttributesA((game_ / "data\\system.mmp").c_str(), FILE_ATTRIBUTE_SYSTEM));
        // Without this the hidden and system cases would prove nothing.
        ASSERT_NE(GetFileAttributesA((game_ / "data\\hidden.mmp").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u)
            << "this file system does not keep the hidden attribute";
        ASSERT_NE(GetFileAttributesA((game_ / "data\\system.mmp").c_str()) & FILE_ATTRIBUTE_SYSTEM, 0u)
            << "this file system does not keep the system attribute";
    }

    void Listed(const std::string& file, const std::string& content, const MapEntry& row) {
        game_.Write("data\\" + file, content);
        described_.push_back(row);
    }

    void AddMap(const std::string& file, const std::string& name, const std::string& gmp) {
        Listed(file, Join(DescriptionLines(name, gmp, "wil.sty", "town.scr"), "\r\n"),
               {name, file, gmp, "wil.sty", "town.scr"});
    }

    // Rows in name order, as the system compares names in this locale. Equal
    // names keep the order in which the program met them: description files
    // as the system's search returns them, then the built-in maps.
    std::vector<MapEntry> ExpectedCatalogue() const {
        std::vector<std::string> searchOrder;
        WIN32_FIND_DATAA found{};
        UniqueFindHandle search(FindFirstFileA((game_ / "data\\*.mmp").c_str(), &found));
        if (search) {
            do searchOrder.emplace_back(found.cFileName);
            while (FindNextFileA(search.get(), &found));
        }
        auto searchPosition = [&](const MapEntry& row) {
            return std::find(searchOrder.begin(), searchOrder.end(), row.mmp) - searchOrder.begin();
        };
        std::vector<MapEntry> rows = described_;
        std::stable_sort(rows.begin(), rows.end(),
                         [&](const MapEntry& a, const MapEntry& b) { return searchPosition(a) < searchPosition(b); });
        rows.insert(rows.end(), BuiltInMaps().begin(), BuiltInMaps().end());
        std::stable_sort(rows.begin(), rows.end(),
                         [](const MapEntry& a, const MapEntry& b) { return SystemOrder(a.name, b.name) < 0; });
        return rows;
    }

    void Start() { StartProgram(elsewhere_.Path()); }

    // Waits for the main window and its list; false when either is missing.
    bool OpenWindow() {
        main_ = app_->WaitForMainWindow();
        list_ = main_ ? gui::FindChild(main_, "SysListView32") : nullptr;
        return list_ != nullptr;
    }

    // The start-up report: it comes during the load, before the window shows.
    void ExpectReportBeforeTheWindow(const std::string& text) {
        auto box = gui::WaitForMessageBox(*app_);
        ASSERT_TRUE(box) << "no message box for the unusable description file";
        EXPECT_EQ(box->caption, "Brindleway");
        EXPECT_EQ(box->text, text);
        EXPECT_EQ(app_->WaitForMainWindow(0), nullptr) << "the window was shown before the report";
        EXPECT_TRUE(gui::DismissMessageBox(*box));
    }

    std::vector<MapEntry> DisplayedRows() const {
        std::vector<MapEntry> rows;
        for (int row = 1; row <= gui::ListRowCount(list_); ++row) {
            const auto cells = gui::ListRow(*app_, list_, row);
            EXPECT_EQ(cells.size(), 5u) << "row " << row;
            if (cells.size() != 5) break;
            rows.push_back({cells[0], cells[1], cells[2], cells[3], cells[4]});
        }
        return rows;
    }

    void ExpectCatalogue(const std::vector<MapEntry>& expected) {
        const std::vector<MapEntry> shown = DisplayedRows();
        ASSERT_EQ(shown.size(), expected.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_TRUE(shown[i] == expected[i])
                << "row " << i + 1 << ": shown " << Show(shown[i]) << ", expected " << Show(expected[i]);
        }
        const auto titles = gui::ListColumnTitles(*app_, list_);
        const std::vector<std::string> expectedTitles = {"Map name (" + std::to_string(expected.size()) + ")",
                                                         "MMP file", "GMP file", "STY file", "SCR file"};
        EXPECT_EQ(titles, expectedTitles);
    }

    // The label lies wholly between the column headers and the list's bottom.
    bool RowFullyVisible(int row) const {
        const RECT label = gui::ListRowRect(*app_, list_, row);
        RECT client{};
        GetClientRect(list_, &client);
        RECT header{};
        HWND headerWindow = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
        if (headerWindow && IsWindowVisible(headerWindow)) {
            GetWindowRect(headerWindow, &header);
            MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&header), 2);
        }
        return label.top >= header.bottom && label.bottom <= client.bottom && label.top < label.bottom;
    }

    void ExpectSelected(int row, const std::vector<MapEntry>& catalogue) {
        EXPECT_EQ(gui::ListSelectedRow(list_), row);
        EXPECT_EQ(gui::ListSelectedCount(list_), 1);
        EXPECT_TRUE(RowFullyVisible(row)) << "row " << row << " is selected but not in view";
        EXPECT_EQ(gui::WindowText(main_), kCaptionPrefix + catalogue.at(row - 1).name);
    }

    gui::ScratchFolder game_{"catalogue-game"};
    gui::ScratchFolder elsewhere_{"catalogue-cwd"};
    std::vector<MapEntry> described_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(CatalogueWindowTest, EveryUsableFileAndTheGameMapsAreShownInNameOrder) {
    // Its style file is named by nothing but the key.
    game_.Write("data\\bad.mmp",
                "[MapFiles]\r\nGMPFile = bad.gmp\r\nSTYFile=\r\nSCRFile = bad.scr\r\n"
                "Description = Broken Map\r\n\r\n");
    const std::vector<MapEntry> expected = ExpectedCatalogue();
    Start();
    ExpectReportBeforeTheWindow("Error: Could not read the map description file 'bad.mmp': names no STY file Line: 0");
    ASSERT_TRUE(OpenWindow()) << "no main window after the report";

    ExpectCatalogue(expected);
    ExpectSelected(1, expected);
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt) << "a second report";

    // The list control's neighbours must agree with the system's own text
    // order, which decides where case and punctuation put a name.
    const std::vector<MapEntry> shown = DisplayedRows();
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_FALSE(SystemSortsAfter(shown[i - 1].name, shown[i].name))
            << "\"" << shown[i - 1].name << "\" is shown before \"" << shown[i].name << "\"";
    }
    auto position = [&](const std::string& name) {
        return std::find_if(shown.begin(), shown.end(), [&](const MapEntry& row) { return row.name == name; }) -
               shown.begin();
    };
    // A byte order would put the hyphen, the capitals and "MiniHood" elsewhere.
    EXPECT_LT(position("Minigolf"), position("MiniHood"));
    EXPECT_LT(position("MiniHood"), position("Mini-Hood"));
    EXPECT_LT(position("apex"), position("Bravo"));
    EXPECT_LT(position("Bravo"), position("cobalt"));
    EXPECT_EQ(position("zaibatsu") - position("Zaibatsu"), 1) << "names equal but for case are not neighbours";

    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
}

// The game reads each name into 256 bytes, after "data\\": 251 bytes are
// more than it can open.
TEST_F(CatalogueWindowTest, AFileNameLongerThanTheGameCanOpenMakesTheFileUnusable) {
    game_.Write("data\\long.mmp",
                Join(DescriptionLines("Too Long", std::string(247, 'g') + ".gmp", "l.sty", "l.scr"), "\r\n"));
    const std::vector<MapEntry> expected = ExpectedCatalogue();
    Start();
    ExpectReportBeforeTheWindow(
        "Error: Could not read the map description file 'long.mmp': names a GMP file longer than the game can open "
        "(250 bytes) Line: 0");
    ASSERT_TRUE(OpenWindow()) << "no main window after the report";
    ExpectCatalogue(expected);
    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
}

TEST_F(CatalogueWindowTest, StoredRowIsChosenAgainAndScrolledIntoView) {
    const std::vector<MapEntry> expected = ExpectedCatalogue();
    const int count = static_cast<int>(expected.size());
    for (int stored : {count, count / 2}) {
        SCOPED_TRACE("map_index " + std::to_string(stored));
        gui::WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "map_index", std::to_string(stored));
        Start();
        ASSERT_TRUE(OpenWindow());
        ExpectSelected(stored, expected);
        if (stored == count) {
            EXPECT_FALSE(RowFullyVisible(1)) << "the list is too short to show the scrolling";
        }
        EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
        ASSERT_EQ(app_->Close(), std::optional<DWORD>(0));
    }
}

TEST_F(CatalogueWindowTest, StoredValueThatNamesNoRowChoosesTheFirst) {
    const std::vector<MapEntry> expected = ExpectedCatalogue();
    const int count = static_cast<int>(expected.size());
    for (const std::string& stored : {std::to_string(count + 1), std::string("0"), std::string("-3"),
                                      std::string("abc"), std::string("7x"), std::string("99999")}) {
        SCOPED_TRACE("map_index \"" + stored + "\"");
        gui::WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "map_index", stored);
        Start();
        ASSERT_TRUE(OpenWindow());
        ExpectSelected(1, expected);
        EXPECT_EQ(gui::ListColumnTitles(*app_, list_).at(0), "Map name (" + std::to_string(count) + ")");
        EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
        ASSERT_EQ(app_->Close(), std::optional<DWORD>(0));
    }
}

TEST_F(CatalogueWindowTest, FileHeldOpenBySomeoneElseIsSkippedAndTheRestShown) {
    const std::string locked = game_ / "data\\locked.mmp";
    game_.Write("data\\locked.mmp", Join(DescriptionLines("Locked Away", "lk.gmp", "lk.sty", "lk.scr"), "\r\n"));
    const std::vector<MapEntry> expected = ExpectedCatalogue();
    UniqueFileHandle held(
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    // The same refusal the program meets, in the system's own words.
    UniqueFileHandle second(CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD refusal = GetLastError();
    ASSERT_FALSE(second) << "the system does not enforce the share mode";
    char reason[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, refusal, 0, reason,
                   sizeof reason, nullptr);
    std::string reasonText = reason;
    while (!reasonText.empty() && (reasonText.back() == '\n' || reasonText.back() == '\r' || reasonText.back() == ' '))
        reasonText.pop_back();

    Start();
    ExpectReportBeforeTheWindow(
        "Error: Could not read the map description file 'locked.mmp': the file cannot be "
        "opened: " +
        reasonText + " Line: 0");
    held.reset();
    ASSERT_TRUE(OpenWindow()) << "no main window after the report";
    ExpectCatalogue(expected);
    ExpectSelected(1, expected);
    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
}

// The narrow search gives "Карта.mmp" as "?????.mmp", which opens nothing,
// and "Łódź.mmp" as "Lódz.mmp", here another file's name: each goes by its
// short name. "COM1.mmp" names the serial port, whose read would wait for
// ever: it is never read, and the window comes.
TEST_F(CatalogueWindowTest, NamesInAnotherScriptGoByTheirShortNamesAndADeviceIsNeverRead) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
    game_.MakeGameFolder(kFakeGame);
    for (const auto& [name, map] :
         {std::pair<std::wstring, std::string>{L"\x041A\x0430\x0440\x0442\x0430.mmp", "karta"},
          {L"\x0141\x00F3\x0064\x017A.mmp", "lodz"}}) {
        game_.WriteUnder("data", name, Join(DescriptionLines(map, map + ".gmp", "wil.sty", "town.scr"), "\r\n"));
        described_.push_back({map, game_.ShortName("data", name), map + ".gmp", "wil.sty", "town.scr"});
        ASSERT_FALSE(described_.back().mmp.empty()) << "this volume keeps no short names";
    }
    AddMap("L\xF3\x64z.mmp", "Look-alike", "alike.gmp");
    game_.WriteUnder("data", L"COM1.mmp", "[MapFiles]\r\n");
    const std::vector<MapEntry> expected = ExpectedCatalogue();
    Start();
    ExpectReportBeforeTheWindow("Error: Could not read the map description file 'COM1.mmp': is not a file Line: 0");
    ASSERT_TRUE(OpenWindow()) << "no main window after the report";
    ExpectCatalogue(expected);

    const auto row = std::find_if(expected.begin(), expected.end(), [](const MapEntry& e) { return e.name == "lodz"; });
    gui::SelectRowByMessage(*app_, list_, static_cast<int>(row - expected.begin()) + 1);
    gui::PressButton(gui::FindChild(main_, "Button"));
    const DWORD game = gui::WaitForGameReport(game_ / "fake-game-report.txt");
    gui::EndProcess(game);
    ASSERT_NE(game, 0u) << "the game did not start";
    EXPECT_EQ(gui::ReadGameReport(game_ / "fake-game-report.txt")["hkcu.mapname"], "lodz.gmp");
    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
}

// Code page 932, where "\x82\xA0" (a hiragana A) is one character of two
// bytes. Under Wine the Unix locale the test is started in decides the code
// page, for the program too: CTest runs this case as catalogue_window_japanese.
TEST_F(CatalogueWindowTest, JapaneseNamesAreCutAtOneHundredCharactersNotBytes) {
    const char* locale = std::getenv("LANG");
    const bool startedJapanese = locale != nullptr && std::string(locale).rfind("ja_JP", 0) == 0;
    if (!startedJapanese) GTEST_SKIP() << "needs the Japanese code page (LANG=ja_JP.UTF-8 under Wine)";
    ASSERT_EQ(GetACP(), 932u) << "LANG=" << locale << " did not give the Japanese code page";
    std::string kana;
    for (int i = 0; i < 120; ++i) kana += "\x82\xA0";
    // A file name whose double-byte character ends in a bracket's byte value.
    game_.Write("data\\kana.mmp", Join({"[MapFiles]", "GMPFile = \x83\x5Dkana.gmp", "STYFile = kana.sty",
                                        "SCRFile = kana.scr", "Description = A" + kana, ""},
                                       "\r\n"));
    Start();
    ASSERT_TRUE(OpenWindow());
    bool found = false;
    for (const MapEntry& row : DisplayedRows()) {
        if (row.mmp != "kana.mmp") continue;
        found = true;
        EXPECT_EQ(row.name, "A" + kana.substr(0, 2 * 99)) << "the name is cut by bytes, or the locale is not Japanese";
        EXPECT_EQ(row.gmp, "\x83\x5Dkana.gmp");
    }
    EXPECT_TRUE(found) << "kana.mmp is not listed";
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
}

// 表 is "\x95\x5C" in code page 932: its second byte has a backslash's value,
// yet a folder stored as ending in it has no backslash after it.
TEST_F(CatalogueWindowTest, JapaneseFolderEndingInABackslashByteIsFoundWithoutAsking) {
    const char* locale = std::getenv("LANG");
    const bool startedJapanese = locale != nullptr && std::string(locale).rfind("ja_JP", 0) == 0;
    if (!startedJapanese) GTEST_SKIP() << "needs the Japanese code page (LANG=ja_JP.UTF-8 under Wine)";
    ASSERT_EQ(GetACP(), 932u) << "LANG=" << locale << " did not give the Japanese code page";
    // Made one level at a time: a split at every backslash byte would cut 表.
    const std::string folder = game_ / "\x95\x5C";
    for (const std::string& made : {folder, folder + "\\data", folder + "\\data\\attract"}) {
        ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr)) << made;
    }
    for (const auto& [file, content] :
         {std::pair<std::string, std::string>{"\\data\\attract\\attr1.rep", "attract"},
          {"\\data\\hyou.mmp", Join(DescriptionLines("Hyou", "hyou.gmp", "hyou.sty", "hyou.scr"), "\r\n")}}) {
        UniqueFileHandle out(CreateFileA((folder + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(out && WriteFile(out.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr))
            << folder + file;
    }
    UseSettings(folder);
    Start();
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::FindFolderDialog(*app_) || app_->WaitForMainWindow(0) != nullptr; }));
    if (auto dialog = gui::FindFolderDialog(*app_)) {
        gui::CancelFolderDialog(*dialog);
        FAIL() << "the folder dialog came up: the stored folder was not found";
    }
    ASSERT_TRUE(OpenWindow());
    const std::vector<MapEntry> shown = DisplayedRows();
    ASSERT_EQ(shown.size(), BuiltInMaps().size() + 1);
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const MapEntry& row) { return row.mmp == "hyou.mmp"; }));
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
}

// Names in the ANSI code page of the world the test is started in, sorted in
// the order of its user's locale. Under Wine the Unix locale decides both;
// CTest runs this case in each world of LOCALE_WORLDS (tests/wine), which
// names the code page and the user locale it is meant to give.
TEST_F(CatalogueWindowTest, NamesSortInTheOrderOfTheUsersLanguage) {
    struct World {
        UINT codePage;
        LANGID language;                 // of the user's locale
        std::vector<std::string> names;  // the first one is chosen by map_index
    };
    // Tokyo, Osaka, katakana A, hiragana A and Latin names: Japanese letters
    // come after the Latin ones, not among them as the Western order's quotes
    // and accented letters.
    const std::vector<std::string> japanese = {
        "\x93\x8C\x8B\x9E", "\x91\xE5\x8D\xE3", "\x83\x41", "\x82\xA0", "Arena", "zulu"};
    const World worlds[] = {
        // Yolka, Yel, Zhara, Yalta, yalta, Arena, Yozh: the Western order
        // takes these bytes for a diaeresis, accented letters and sharp s.
        {1251,
         LANG_RUSSIAN,
         {"\xA8\xEB\xEA\xE0", "\xC5\xEB\xFC", "\xC6\xE0\xF0\xE0", "\xDF\xEB\xF2\xE0", "\xFF\xEB\xF2\xE0",
          "\xC0\xF0\xE5\xED\xE0", "\xB8\xE6", "Arena"}},
        // Lodz, Swiat, swiat, Zubr, zrodlo with their Polish letters, where
        // the Western order takes L-stroke for a pound sign.
        {1250,
         LANG_POLISH,
         {"\xA3\xF3\x64\x9F", "Lublin", "Mazury", "\x8C\x77iat", "\x9C\x77iat", "Sopot", "Szczecin", "\xAF\x75\x62r",
          "\x9F\x72\xF3\x64\xB3o", "Zamek", "\xB3\x61ka"}},
        {932, LANG_JAPANESE, japanese},
        {932, LANG_ENGLISH, japanese},
        // Elan, Apfel, Osterreich with their accents, which read as Cyrillic
        // would all come after Zebra.
        {1252, LANG_RUSSIAN, {"\xC9lan", "\xC4pfel", "\xD6sterreich", "Zebra", "Apfel", "Elch", "Ost"}},
        // The oe ligature and the yen sign, which read as Polish would be
        // S-acute and A-ogonek.
        {1252, LANG_POLISH, {"\x8Cuvre", "\xA5 Arena", "Ananas", "Oaza", "Sopot", "Szczecin", "Tarn"}},
    };
    // The world's own check of its code page and user locale is the sort
    // order test's, which runs in every world this case runs in.
    if (std::getenv("BRINDLEWAY_TEST_WORLD") == nullptr) GTEST_SKIP() << "needs a world of LOCALE_WORLDS";
    const UINT codePage = GetACP();
    const LANGID language = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()));
    const auto world = std::find_if(std::begin(worlds), std::end(worlds), [&](const World& candidate) {
        return candidate.codePage == codePage && candidate.language == language;
    });
    ASSERT_NE(world, std::end(worlds)) << "no names for code page " << codePage << ", language " << language;
    for (std::size_t i = 0; i < world->names.size(); ++i) {
        AddMap("local" + std::to_string(i) + ".mmp", world->names[i], "local" + std::to_string(i) + ".gmp");
    }
    const std::vector<MapEntry> expected = ExpectedCatalogue();
    // Unless these names sort otherwise in the order a faulty list would
    // show, the case could not tell the user's order from it: the Western
    // one where both settings agree, and otherwise the letters of the user
    // locale's own code page.
    DWORD localeCodePage = 0;
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                             reinterpret_cast<LPSTR>(&localeCodePage), sizeof localeCodePage),
              0);
    const bool settingsDiffer = localeCodePage != codePage;
    std::vector<MapEntry> faulty = expected;
    std::stable_sort(faulty.begin(), faulty.end(), [&](const MapEntry& a, const MapEntry& b) {
        return (settingsDiffer ? OrderInTheLocalesOwnCodePage(a.name, b.name) : CompareMapNames(a.name, b.name)) < 0;
    });
    ASSERT_NE(Names(faulty), Names(expected)) << "the names sort alike in the faulty order";

    const auto chosen = std::find_if(expected.begin(), expected.end(),
                                     [&](const MapEntry& row) { return row.name == world->names.front(); });
    ASSERT_NE(chosen, expected.end());
    const int stored = static_cast<int>(chosen - expected.begin()) + 1;
    gui::WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "map_index", std::to_string(stored));
    Start();
    ASSERT_TRUE(OpenWindow());
    ExpectCatalogue(expected);
    ExpectSelected(stored, expected);
    EXPECT_EQ(gui::FindMessageBox(*app_), std::nullopt);
    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
}

}  // namespace
