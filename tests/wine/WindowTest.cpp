// The real Brindleway.exe under Wine, driven from outside: the window's
// layout at the screen resolution (96 DPI, and 144 in a second run), the
// list's set-up, the resize rule, row clicks, the button's access key and
// tooltip, what screen readers are told, the prompts' owners, and closing.
// The button's growth with the message font runs again in a world whose
// message font is twice the default (BRINDLEWAY_TEST_LARGE_MESSAGE_FONT set).

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "GuiDriver.h"
#include "LauncherTest.h"
#include "Scratch.h"
#include "windows/Handles.h"

namespace {

constexpr const char* kSettingsKey = gui::ScopedLauncherSettings::kSettingsKey;
const char kCaptionFrame[] = "Orvo's Brindleway v0.3 - ";

// The screen resolution this test and the program run at (the Wine world's
// LogPixels): 96, or 144 for the second run.
int ScreenDpi() {
    UniqueWindowDc screen(GetDC(nullptr), nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// A layout measure given in twips, in pixels at a resolution (by default
// this one).
int Pixels(int twips, int dpi = ScreenDpi()) { return MulDiv(twips, dpi, 1440); }

// What the resize rule makes of an outer size in pixels: the list 350 twips
// narrower and 1500 twips lower.
int FittedWidth(int outerPixels, int dpi = ScreenDpi()) { return Pixels(MulDiv(outerPixels, 1440, dpi) - 350, dpi); }
int FittedHeight(int outerPixels, int dpi = ScreenDpi()) { return Pixels(MulDiv(outerPixels, 1440, dpi) - 1500, dpi); }

// What Active Accessibility says of a control's client area: its name, or
// its description; "<none>" when it has nothing to say.
std::string AccessibleText(HWND control, bool description) {
    struct Com {
        HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ~Com() {
            if (SUCCEEDED(started)) CoUninitialize();
        }
    } com;
    // Named here: the 64-bit MinGW libraries resolve IID_IAccessible to an
    // import thunk's bytes instead of the interface's number.
    constexpr IID kAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kAccessible,
                                          reinterpret_cast<void**>(&object))) ||
        !object) {
        return "<no object>";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    const HRESULT answer = description ? object->get_accDescription(self, &text) : object->get_accName(self, &text);
    std::string result = "<none>";
    if (answer == S_OK && text) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::vector<char> narrow(static_cast<size_t>(std::max(size, 1)));
        WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), size, nullptr, nullptr);
        result = narrow.data();
    }
    SysFreeString(text);
    object->Release();
    return result;
}

SIZE WindowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

class WindowTest : public LauncherTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LauncherTest::SetUp());
        game_ = std::make_unique<gui::ScratchFolder>("brindleway-window");
        game_->MakeGameFolder();
        // One description file of our own beside the built-in maps.
        game_->Write("data\\harbour.mmp",
                     "[MapFiles]\r\nGMPFile = harbour.gmp\r\nSTYFile = harbour.sty\r\nSCRFile = harbour.scr\r\n"
                     "Description = Harbour Test\r\n\r\n");
        UseSettings(game_->Path() + "\\");
        StartProgram(game_->Path());
        main_ = app_->WaitForMainWindow();
        ASSERT_NE(main_, nullptr) << "no main window";
        list_ = gui::FindChild(main_, WC_LISTVIEWA);
        button_ = gui::FindChild(main_, WC_BUTTONA);
        ASSERT_NE(list_, nullptr);
        ASSERT_NE(button_, nullptr);
        auto box = gui::FindMessageBox(*app_);
        ASSERT_FALSE(box) << "unexpected message at start: " << box->text;
    }

    void TearDown() override {
        LauncherTest::TearDown();
        game_.reset();
    }

    void ExpectListFitted() {
        app_->WaitForIdle();
        const SIZE outer = WindowSize(main_);
        const SIZE list = WindowSize(list_);
        EXPECT_EQ(list.cx, FittedWidth(outer.cx)) << "outer width " << outer.cx;
        EXPECT_EQ(list.cy, FittedHeight(outer.cy)) << "outer height " << outer.cy;
    }

    // Showing states change asynchronously; the fit follows them shortly.
    void WaitUntilListFitted() {
        gui::WaitUntil(
            [&] {
                const SIZE outer = WindowSize(main_), list = WindowSize(list_);
                return list.cx == FittedWidth(outer.cx) && list.cy == FittedHeight(outer.cy);
            },
            2000);
    }

    // The width of `text` in the list's font, as the list measures it.
    int ListTextWidth(const std::string& text) {
        gui::RemoteMemory remote(*app_, text.size() + 1);
        remote.Write(text.c_str(), text.size() + 1);
        return static_cast<int>(SendMessageA(list_, LVM_GETSTRINGWIDTHA, 0, remote.AsLParam()));
    }

    bool WaitForOuterSize(int width, int height) {
        return gui::WaitUntil([&] {
            const SIZE s = WindowSize(main_);
            return s.cx == width && s.cy == height;
        });
    }

    std::unique_ptr<gui::ScratchFolder> game_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND button_ = nullptr;
};

// At 96 DPI: client 792 x 520, list at (8, 64), button at (280, 8) sized
// 129 x 33; at 144 DPI each is 1.5 times that, rounded as at 96.
TEST_F(WindowTest, OpensWithTheLayoutInPixelsAtTheScreenResolution) {
    const SIZE client = gui::ClientSize(main_);
    EXPECT_EQ(client.cx, Pixels(11880));
    EXPECT_EQ(client.cy, Pixels(7800));

    const LONG style = GetWindowLongA(main_, GWL_STYLE);
    for (LONG part : {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) {
        EXPECT_EQ(style & part, part) << std::hex << "window style lacks " << part;
    }

    const RECT list = gui::RectInParent(list_);
    EXPECT_EQ(list.left, Pixels(120));
    EXPECT_EQ(list.top, Pixels(960));
    const RECT button = gui::RectInParent(button_);
    EXPECT_EQ(button.left, Pixels(4200));
    EXPECT_EQ(button.top, Pixels(120));
    EXPECT_EQ(button.right - button.left, Pixels(1935));
    EXPECT_EQ(button.bottom - button.top, Pixels(495));
    EXPECT_EQ(gui::WindowText(button_), "&Launch GTA2");

    // Tab order is creation order: the list first, then the button.
    EXPECT_EQ(GetWindow(main_, GW_CHILD), list_);
    EXPECT_EQ(GetWindow(list_, GW_HWNDNEXT), button_);
    for (HWND control : {list_, button_}) EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP);
    // The focus reaches the list when the window is activated, which can come
    // a little after the window is first found.
    gui::WaitUntil([&] { return gui::FocusedWindow(main_) == list_; }, 2000);
    EXPECT_EQ(gui::FocusedWindow(main_), list_);

    // The load event has titled the window after the selected row.
    const int selected = gui::ListSelectedRow(list_);
    ASSERT_GE(selected, 1);
    EXPECT_EQ(gui::WindowText(main_), kCaptionFrame + gui::ListCellText(*app_, list_, selected, 1));

    // Nothing is clipped at this resolution: the button is as large as its
    // caption needs in the program's font, and every column is wider than
    // its title with the header's margins (6 pixels a side).
    gui::RemoteMemory ideal(*app_, sizeof(SIZE));
    ideal.Put(SIZE{0, 0});
    ASSERT_TRUE(SendMessageA(button_, BCM_GETIDEALSIZE, 0, ideal.AsLParam()));
    const SIZE needed = ideal.Get<SIZE>();
    EXPECT_GT(needed.cx, 0);
    EXPECT_LE(needed.cx, button.right - button.left) << "the button's caption is clipped";
    EXPECT_LE(needed.cy, button.bottom - button.top) << "the button's caption is clipped";
    const std::vector<std::string> titles = gui::ListColumnTitles(*app_, list_);
    ASSERT_EQ(titles.size(), 5u);
    for (int column = 0; column < 5; ++column) {
        const std::string& title = titles[column];
        const int titleWidth = ListTextWidth(title);
        const int columnWidth = static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, column, 0));
        EXPECT_GT(titleWidth, 0) << title;
        EXPECT_GE(columnWidth, titleWidth + 12) << "the title \"" << title << "\" is clipped";
    }

    const int dpi = ScreenDpi();
    gui::SaveWindowBitmap(
        main_, gui::ArtifactFolder() + (dpi == 96 ? "\\window.bmp" : "\\window-" + std::to_string(dpi) + "dpi.bmp"));
}

TEST_F(WindowTest, ListIsAReportThatNeverSortsOrEditsAndShowsItsSelection) {
    const LONG style = GetWindowLongA(list_, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & LVS_EDITLABELS);
    EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_FALSE(style & LVS_NOCOLUMNHEADER);
    const DWORD extended = static_cast<DWORD>(SendMessageA(list_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    const DWORD wanted = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP;
    EXPECT_EQ(extended & wanted, wanted);
    // A screen reader names the list after its window text, which the list
    // itself never shows.
    EXPECT_EQ(gui::WindowText(list_), "Maps");
    EXPECT_EQ(AccessibleText(list_, false), "Maps");

    // Twelve built-in maps and our description file, in five columns.
    EXPECT_EQ(gui::ListRowCount(list_), 13);
    EXPECT_EQ(gui::ListColumnCount(list_), 5);
    bool foundOurs = false;
    for (int row = 1; row <= gui::ListRowCount(list_); ++row) {
        const auto cells = gui::ListRow(*app_, list_, row);
        if (cells[0] == "Harbour Test") {
            foundOurs = true;
            EXPECT_EQ(cells, (std::vector<std::string>{"Harbour Test", "harbour.mmp", "harbour.gmp", "harbour.sty",
                                                       "harbour.scr"}));
        }
    }
    EXPECT_TRUE(foundOurs);
}

TEST_F(WindowTest, ButtonTooltipShowsTheWholeWarningForAsLongAsThePointerRests) {
    const auto tip = gui::FindToolTip(*app_, button_);
    ASSERT_TRUE(tip);
    EXPECT_EQ(tip->text, "Some scripts will crash in 1 player if they try to use commands on players 2-6");
    EXPECT_EQ(SendMessageA(tip->window, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 32767);
}

TEST_F(WindowTest, ListFollowsTheWindowSize) {
    ExpectListFitted();  // the first show has fitted it already
    const RECT buttonBefore = gui::RectInParent(button_);

    SetWindowPos(main_, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(WaitForOuterSize(900, 700));
    ExpectListFitted();

    // Lower than 1500 twips: the height cannot follow and stays; the width does.
    const int heightBefore = WindowSize(list_).cy;
    SetWindowPos(main_, nullptr, 0, 0, 700, 80, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(gui::WaitUntil([&] { return WindowSize(main_).cx == 700; }));
    const SIZE low = WindowSize(main_);
    ASSERT_LT(MulDiv(low.cy, 1440, ScreenDpi()), 1500) << "the window manager refused the low size";
    EXPECT_EQ(WindowSize(list_).cy, heightBefore);
    EXPECT_EQ(WindowSize(list_).cx, FittedWidth(700));

    // The button is never moved or resized, whatever the window does.
    const RECT buttonAfter = gui::RectInParent(button_);
    EXPECT_TRUE(EqualRect(&buttonBefore, &buttonAfter));
    EXPECT_FALSE(gui::FindMessageBox(*app_));
}

// Windows tells a window that has moved to a monitor of another resolution
// with WM_DPICHANGED; Wine never sends it, so the test sends it as Windows
// does, the proposed rectangle in the program's own memory. The window lays
// itself out from the same twips at the new resolution, then back again.
TEST_F(WindowTest, ANewMonitorResolutionLaysTheWindowOutAgainAndBack) {
    app_->WaitForIdle();
    const int dpi = ScreenDpi();
    const int higher = dpi * 3 / 2;
    RECT first{};
    GetWindowRect(main_, &first);
    const RECT listBefore = gui::RectInParent(list_), buttonBefore = gui::RectInParent(button_);
    const std::string sample = gui::ListColumnTitles(*app_, list_)[0];
    const int textBefore = ListTextWidth(sample);
    std::vector<std::vector<std::string>> rows;
    for (int row = 1; row <= gui::ListRowCount(list_); ++row) rows.push_back(gui::ListRow(*app_, list_, row));
    const std::vector<std::string> titles = gui::ListColumnTitles(*app_, list_);
    const int selected = gui::ListSelectedRow(list_);
    const std::string caption = gui::WindowText(main_);

    auto sendDpiChange = [&](int newDpi, const RECT& suggested) {
        gui::RemoteMemory rect(*app_, sizeof(RECT));
        rect.Put(suggested);
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(main_, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), rect.AsLParam(), SMTO_NORMAL,
                                        gui::kDefaultTimeout, &result));
        app_->WaitForIdle();
    };
    auto expectUnchangedContent = [&] {
        std::vector<std::vector<std::string>> now;
        for (int row = 1; row <= gui::ListRowCount(list_); ++row) now.push_back(gui::ListRow(*app_, list_, row));
        EXPECT_EQ(now, rows);
        EXPECT_EQ(gui::ListColumnTitles(*app_, list_), titles);
        EXPECT_EQ(gui::ListSelectedRow(list_), selected);
        EXPECT_EQ(gui::WindowText(main_), caption);
        EXPECT_FALSE(gui::FindMessageBox(*app_));
        EXPECT_TRUE(app_->IsRunning());
    };

    const RECT proposed{first.left + 10, first.top + 10, first.left + 910, first.top + 660};
    ASSERT_NO_FATAL_FAILURE(sendDpiChange(higher, proposed));
    RECT now{};
    GetWindowRect(main_, &now);
    EXPECT_TRUE(EqualRect(&now, &proposed)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
    const RECT list = gui::RectInParent(list_), button = gui::RectInParent(button_);
    EXPECT_EQ(list.left, Pixels(120, higher));
    EXPECT_EQ(list.top, Pixels(960, higher));
    EXPECT_EQ(list.right - list.left, FittedWidth(900, higher));
    EXPECT_EQ(list.bottom - list.top, FittedHeight(650, higher));
    EXPECT_EQ(button.left, Pixels(4200, higher));
    EXPECT_EQ(button.top, Pixels(120, higher));
    EXPECT_EQ(button.right - button.left, Pixels(1935, higher));
    EXPECT_EQ(button.bottom - button.top, Pixels(495, higher));
    const double grown = static_cast<double>(ListTextWidth(sample)) / textBefore;
    EXPECT_GE(grown, 1.35) << "the list's font did not follow the resolution";
    EXPECT_LE(grown, 1.65) << "the list's font did not follow the resolution";
    expectUnchangedContent();

    ASSERT_NO_FATAL_FAILURE(sendDpiChange(dpi, first));
    auto expectLayoutAsBefore = [&] {
        GetWindowRect(main_, &now);
        EXPECT_TRUE(EqualRect(&now, &first));
        const RECT listAfter = gui::RectInParent(list_), buttonAfter = gui::RectInParent(button_);
        EXPECT_TRUE(EqualRect(&listAfter, &listBefore));
        EXPECT_TRUE(EqualRect(&buttonAfter, &buttonBefore));
        EXPECT_EQ(ListTextWidth(sample), textBefore);
        expectUnchangedContent();
    };
    expectLayoutAsBefore();

    // A new colour scheme and a new text size, told as Windows tells them:
    // the fonts are made again for the same resolution (the same font here,
    // as Wine keeps each program's metrics), and nothing else moves.
    for (const auto& [message, wParam] : {std::pair<UINT, WPARAM>{WM_SYSCOLORCHANGE, 0},
                                          std::pair<UINT, WPARAM>{WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS}}) {
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(main_, message, wParam, 0, SMTO_NORMAL, gui::kDefaultTimeout, &result));
    }
    app_->WaitForIdle();
    expectLayoutAsBefore();
}

// The button keeps its size in twips while its caption fits, and grows
// right and down from the same corner when the message font needs more.
TEST_F(WindowTest, ButtonGrowsFromItsCornerOnlyWhenItsCaptionNeedsIt) {
    gui::RemoteMemory ideal(*app_, sizeof(SIZE));
    ideal.Put(SIZE{0, 0});
    ASSERT_TRUE(SendMessageA(button_, BCM_GETIDEALSIZE, 0, ideal.AsLParam()));
    const SIZE needed = ideal.Get<SIZE>();
    const RECT button = gui::RectInParent(button_);
    EXPECT_EQ(button.left, Pixels(4200));
    EXPECT_EQ(button.top, Pixels(120));
    EXPECT_EQ(button.right - button.left, std::max<LONG>(Pixels(1935), needed.cx));
    EXPECT_EQ(button.bottom - button.top, std::max<LONG>(Pixels(495), needed.cy));
    RECT client{};
    GetClientRect(button_, &client);
    EXPECT_LE(needed.cx, client.right) << "the button's caption is clipped";
    EXPECT_LE(needed.cy, client.bottom) << "the button's caption is clipped";
    if (std::getenv("BRINDLEWAY_TEST_LARGE_MESSAGE_FONT")) {
        // Otherwise the world's font would not be large enough to prove anything.
        EXPECT_GT(needed.cx, Pixels(1935)) << "the message font is not large in this world";
    }
}

TEST_F(WindowTest, MinimiseMaximiseAndRestoreKeepTheListFittedWithoutMessages) {
    ShowWindowAsync(main_, SW_MAXIMIZE);
    ASSERT_TRUE(gui::WaitUntil([&] { return IsZoomed(main_) != FALSE; }));
    WaitUntilListFitted();
    ExpectListFitted();

    ShowWindowAsync(main_, SW_RESTORE);
    ASSERT_TRUE(gui::WaitUntil([&] { return !IsZoomed(main_); }));

    // Restoring a minimised window brings back its normal size, not the
    // minimised one, and the list follows it.
    ShowWindowAsync(main_, SW_MINIMIZE);
    ASSERT_TRUE(gui::WaitUntil([&] { return IsIconic(main_) != FALSE; }));
    ShowWindowAsync(main_, SW_RESTORE);
    ASSERT_TRUE(gui::WaitUntil([&] { return !IsIconic(main_) && !IsZoomed(main_); }));
    WaitUntilListFitted();
    ExpectListFitted();
    EXPECT_FALSE(gui::FindMessageBox(*app_));

    // Started maximized, as from a shortcut: the show's own size change
    // fits the list again.
    ASSERT_EQ(app_->Close(), std::optional<DWORD>(0));
    app_ = std::make_unique<gui::Program>(
        gui::Program::Start({gui::ProgramPath(), game_->Path(), "", {}, SW_SHOWMAXIMIZED}));
    main_ = app_->WaitForMainWindow();
    ASSERT_NE(main_, nullptr);
    list_ = gui::FindChild(main_, WC_LISTVIEWA);
    EXPECT_TRUE(IsZoomed(main_));
    ExpectListFitted();
}

TEST_F(WindowTest, SelectingARowRetitlesTheWindowWhateverSelectedIt) {
    ASSERT_GE(gui::ListRowCount(list_), 5);

    ASSERT_TRUE(gui::ClickRow(*app_, list_, 3));
    EXPECT_EQ(gui::WindowText(main_), kCaptionFrame + gui::ListCellText(*app_, list_, 3, 1));

    gui::SelectRowByMessage(*app_, list_, 5);
    EXPECT_EQ(gui::WindowText(main_), kCaptionFrame + gui::ListCellText(*app_, list_, 5, 1));
    EXPECT_EQ(gui::ListSelectedCount(list_), 1);

    // The keyboard moves the selection too, and the caption follows.
    ASSERT_TRUE(gui::SendKeyChord(main_, list_, {VK_DOWN})) << "the window never had the list focused in front";
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::ListSelectedRow(list_) == 6; }));
    EXPECT_EQ(gui::WindowText(main_), kCaptionFrame + gui::ListCellText(*app_, list_, 6, 1));

    // A click is not a launch: nothing is stored.
    EXPECT_EQ(gui::ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "map_index"), std::nullopt);
}

TEST_F(WindowTest, EnterInTheListAndAltLPressTheButton) {
    // The stand-in gta2.exe is an empty file, so a launch ends in the
    // launch's own error message: proof that the button was pressed.
    const std::vector<std::vector<WORD>> chords = {{VK_RETURN}, {VK_MENU, 'L'}};
    for (const auto& chord : chords) {
        ASSERT_TRUE(gui::SendKeyChord(main_, list_, chord))
            << "the window never had the list focused in front for key " << chord.back();
        auto box = gui::WaitForMessageBox(*app_);
        ASSERT_TRUE(box) << "key " << chord.back() << " did not press the button";
        EXPECT_EQ(box->caption, "Brindleway");
        EXPECT_EQ(box->text.rfind("Error during 1 player test: ", 0), 0u) << box->text;
        // Over the shown window a box is its own, with no taskbar button.
        EXPECT_EQ(GetWindow(box->window, GW_OWNER), main_);
        EXPECT_FALSE(GetWindowLongA(box->window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_TRUE(gui::DismissMessageBox(*box));
        EXPECT_TRUE(app_->IsRunning());  // the window stays open after a launch
    }
}

// A report before the window is shown (here about an unusable description
// file) stays modal to the hidden window but has a taskbar button of its
// own: the program would otherwise be found only through Alt+Tab.
TEST_F(WindowTest, AReportBeforeTheWindowHasATaskbarButton) {
    ASSERT_EQ(app_->Close(), std::optional<DWORD>(0));
    game_->Write("data\\bad.mmp", "[MapFiles]\r\nGMPFile = bad.gmp\r\nSTYFile=\r\n\r\n");
    StartProgram(game_->Path());
    auto box = gui::WaitForMessageBox(*app_);
    ASSERT_TRUE(box) << "no report about the unusable file";
    const HWND owner = GetWindow(box->window, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_FALSE(IsWindowEnabled(owner)) << "the box is not modal to the window";
    EXPECT_TRUE(GetWindowLongA(box->window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ASSERT_TRUE(gui::DismissMessageBox(*box));
    main_ = app_->WaitForMainWindow();
    EXPECT_EQ(main_, owner);
    EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(WindowTest, ClosingTheWindowEndsTheProgram) {
    EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
    EXPECT_FALSE(app_->IsRunning());
}

}  // namespace
