#pragma once
// Windows implementation of LauncherView: the main window with its map list
// (Win32MapList, which the list's part of the view is forwarded to) and its
// launch button. The window procedure only translates messages into the four
// handlers it is given; it holds no program logic.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "launcher/LauncherView.h"
#include "windows/AssistiveDescription.h"
#include "windows/Handles.h"
#include "windows/Win32MapList.h"

class Win32Window : public LauncherView {
public:
    struct Handlers {
        std::function<void()> load;
        std::function<void()> resize;
        std::function<void(int position)> itemClick;
        std::function<void()> startClick;
    };

    static constexpr int kListId = 101;
    static constexpr int kStartId = 102;

    explicit Win32Window(HINSTANCE instance);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Creates the window and its controls, hidden. Throws Failure.
    void Create();
    HWND Handle() const { return window_; }
    void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

    // Runs the load handler (list notifications are not events meanwhile),
    // fits the list through the resize handler, then shows the window and
    // gives the list the keyboard focus.
    void LoadAndShow(int showCommand);
    // Until the window is destroyed; returns the exit code.
    int RunMessageLoop();

    // LauncherView
    void StartupStepDone(const char* step) override;
    void SetCaption(const std::string& caption) override;
    int OuterWidthTwips() const override;
    int OuterHeightTwips() const override;
    void SetListWidthTwips(int width) override;
    void SetListHeightTwips(int height) override;
    void ApplyListOptions() override { list_.ApplyOptions(); }
    void AddColumn(const std::string& title, int widthTwips) override { list_.AddColumn(title, PixelsX(widthTwips)); }
    void SetColumnTitle(int column, const std::string& title) override { list_.SetColumnTitle(column, title); }
    void KeepSelectionVisibleWithoutFocus() override { list_.KeepSelectionVisibleWithoutFocus(); }
    int RowCount() const override { return list_.RowCount(); }
    // During the load the list does not draw until the window is shown.
    void AppendRows(const std::vector<MapEntry>& rows) override { list_.AppendRows(rows, loading_); }
    std::string CellText(int position, int column) const override { return list_.CellText(position, column); }
    void SelectRow(int position) override { list_.SelectRow(position); }
    void ScrollRowIntoView(int position) override { list_.ScrollRowIntoView(position); }
    int SelectedRow() const override { return list_.SelectedRow(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnNotify(const NMHDR& header);
    // Runs a handler; a failure that escapes it is shown instead of being
    // let loose inside the window system's callback.
    void Raise(const std::function<void()>& handler);

    int PixelsX(int twips) const;
    int PixelsY(int twips) const;
    int TwipsX(int pixels) const;
    int TwipsY(int pixels) const;
    void CreateControls();
    // The window's outer size for the created client area, at its DPI.
    SIZE OuterSize() const;
    // The message font and the window's icons at the window's DPI.
    void SetFont();
    void SetIcons();
    // The button at its place, as large as its caption needs, and never
    // smaller than its size in twips.
    void FitStartButton();
    void OnDpiChanged(int dpiX, int dpiY, const RECT* suggested);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    Win32MapList list_;
    HWND start_ = nullptr;    // child: destroyed with the window
    HWND tooltip_ = nullptr;  // owned by the window: destroyed with it
    UniqueGdiObject font_;    // must outlive the controls that use it
    // Set on the window at a DPI other than the system's.
    UniqueIcon smallIcon_;
    UniqueIcon bigIcon_;
    // The button's warning, for screen readers.
    AssistiveDescription startDescription_;
    // The screen's DPI, and the DPI of the monitor the window is on, which
    // every twips measure is converted at.
    int systemDpi_ = 96;
    int dpiX_ = 96;
    int dpiY_ = 96;
    Handlers handlers_;
    bool loading_ = false;
    bool shown_ = false;
    bool resized_ = false;  // a size change came while a show or a move ran
    // The first show, and the outer size the list was fitted to before it.
    bool firstShowRunning_ = false;
    SIZE fittedSize_{};
    // The quit message is posted only to a running loop: one posted before
    // it would end the message box that reports a failed start instead.
    bool messageLoopRunning_ = false;
    HWND focusBeforeDeactivation_ = nullptr;
};
