// Windows implementation of the main window declared in Win32Window.h.

#include "windows/Win32Window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/Failure.h"
#include "platform/UserMessages.h"
#include "windows/DisplayScale.h"
#include "windows/StartupPhases.h"
#include "windows/SystemErrorText.h"
#include "windows/Win32MessageBoxes.h"

namespace {

const char kWindowClass[] = "frmLauncher";
const char kStartCaption[] = "&Launch GTA2";
const char kStartToolTip[] = "Some scripts will crash in 1 player if they try to use commands on players 2-6";
// The longest a tooltip may stay up: as long as the pointer rests there.
constexpr int kToolTipShownMs = 32767;

// Layout in twips, measured from the client area's top-left corner.
constexpr int kClientWidth = 11880, kClientHeight = 7800;
constexpr int kListLeft = 120, kListTop = 960, kListWidth = 10455, kListHeight = 6495;
constexpr int kStartLeft = 4200, kStartTop = 120, kStartWidth = 1935, kStartHeight = 495;
constexpr int kTwipsPerInch = 1440;

constexpr int kIconId = 1;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Tab and the access key go between the two controls.
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// Posted to itself once shown: what only assistive programs need waits until
// the window is on screen.
constexpr UINT kDescribeMessage = WM_APP + 1;

bool SameOuterSize(HWND window, SIZE size) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left == size.cx && r.bottom - r.top == size.cy;
}

[[noreturn]] void FailWithSystemText(const char* what) {
    const DWORD error = GetLastError();
    throw Failure(static_cast<std::int32_t>(error), "", std::string(what) + ": " + SystemErrorText(error));
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance) : instance_(instance) {}

Win32Window::~Win32Window() {
    if (window_) DestroyWindow(window_);
}

void Win32Window::Create() {
    systemDpi_ = SystemDpi();
    dpiX_ = dpiY_ = systemDpi_;

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(kIconId));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(kIconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        FailWithSystemText("RegisterClassEx");
    }
    MarkStartupPhase("class registered");

    const SIZE outer = OuterSize();
    window_ = CreateWindowExA(kExStyle, kWindowClass, kApplicationTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx,
                              outer.cy, nullptr, nullptr, instance_, this);
    if (!window_) FailWithSystemText("CreateWindowEx");
    MarkStartupPhase("window created");
    // Opened on a monitor whose resolution is not the system's, the window
    // takes that monitor's: the same layout in twips, in its pixels.
    const int dpi = WindowDpi(window_, systemDpi_);
    if (dpi != dpiY_) {
        dpiX_ = dpiY_ = dpi;
        const SIZE scaled = OuterSize();
        SetWindowPos(window_, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetIcons();
    }
    CreateControls();
    MarkStartupPhase("controls created");
}

SIZE Win32Window::OuterSize() const {
    return OuterSizeForDpi(SIZE{PixelsX(kClientWidth), PixelsY(kClientHeight)}, kStyle, kExStyle, dpiY_, systemDpi_);
}

void Win32Window::CreateControls() {
    // Created in tab order: the list first, so it takes the focus.
    const RECT listPlace{PixelsX(kListLeft), PixelsY(kListTop), PixelsX(kListLeft) + PixelsX(kListWidth),
                         PixelsY(kListTop) + PixelsY(kListHeight)};
    if (!list_.Create(window_, instance_, kListId, listPlace)) FailWithSystemText("CreateWindowEx(list view)");
    // The default button: Enter anywhere in the window presses it.
    start_ = CreateWindowExA(0, WC_BUTTONA, kStartCaption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                             PixelsX(kStartLeft), PixelsY(kStartTop), PixelsX(kStartWidth), PixelsY(kStartHeight),
                             window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStartId)), instance_, nullptr);
    if (!start_) FailWithSystemText("CreateWindowEx(button)");

    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    if (tooltip_) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(start_);
        tool.lpszText = const_cast<char*>(kStartToolTip);
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        // Without a width the tip is one line cut at the screen's edge; with
        // one it wraps, so the whole warning is always readable.
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 2);
        SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kToolTipShownMs, 0));
    }
    SetFont();
    FitStartButton();
}

void Win32Window::SetFont() {
    UniqueGdiObject font(CreateMessageFont(dpiY_, systemDpi_));
    HGDIOBJ shown = font ? font.get() : GetStockObject(DEFAULT_GUI_FONT);
    for (HWND control : {list_.Handle(), start_, tooltip_}) {
        if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(shown), shown_ ? TRUE : FALSE);
    }
    // Only now that no control uses the old font any more may it go.
    font_ = std::move(font);
}

void Win32Window::SetIcons() {
    struct {
        WPARAM kind;
        int metric;
        UniqueIcon& held;
    } icons[] = {{ICON_SMALL, SM_CXSMICON, smallIcon_}, {ICON_BIG, SM_CXICON, bigIcon_}};
    for (auto& icon : icons) {
        const int size = IconSize(icon.metric, dpiY_, systemDpi_);
        UniqueIcon made(
            static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(kIconId), IMAGE_ICON, size, size, 0)));
        if (!made) continue;
        SendMessageA(window_, WM_SETICON, icon.kind, reinterpret_cast<LPARAM>(made.get()));
        // Only now that the window shows the new one may the old one go.
        icon.held = std::move(made);
    }
}

void Win32Window::FitStartButton() {
    // The manifest binds Common Controls 6 on every Windows the program
    // runs on, and its button measures its caption; one that cannot answer
    // keeps its size in twips.
    SIZE needed{0, 0};
    if (!SendMessageA(start_, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&needed))) needed = SIZE{0, 0};
    const RECT wanted{PixelsX(kStartLeft), PixelsY(kStartTop),
                      PixelsX(kStartLeft) + std::max(PixelsX(kStartWidth), static_cast<int>(needed.cx)),
                      PixelsY(kStartTop) + std::max(PixelsY(kStartHeight), static_cast<int>(needed.cy))};
    RECT now{};
    GetWindowRect(start_, &now);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &wanted)) return;
    SetWindowPos(start_, nullptr, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::LoadAndShow(int showCommand) {
    loading_ = true;
    Raise(handlers_.load);
    list_.ResumeDrawing();
    loading_ = false;
    MarkStartupPhase("load done");

    // Sizes before the load are the creation's, not the user's: the resize
    // event starts here, from the size the window has now, so that the list
    // is fitted before it is first drawn. A show that changes that size (a
    // maximized start) raises it again; one that keeps it does not.
    Raise(handlers_.resize);
    RECT fitted{};
    GetWindowRect(window_, &fitted);
    fittedSize_ = SIZE{fitted.right - fitted.left, fitted.bottom - fitted.top};
    shown_ = true;
    firstShowRunning_ = true;
    ShowWindow(window_, showCommand);
    firstShowRunning_ = false;
    MarkStartupPhase("shown");
    UpdateWindow(window_);
    SetFocus(list_.Handle());
    MarkStartupPhase("painted");
    WriteStartupPhases();
    PostMessageA(window_, kDescribeMessage, 0, 0);
}

int Win32Window::RunMessageLoop() {
    // Destroyed before the loop ran: nothing left to wait for.
    if (!window_) return 0;
    messageLoopRunning_ = true;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The dialog manager gives us Tab between the controls and Alt+L.
        if (window_ && IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Win32Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (shown_ && !(firstShowRunning_ && SameOuterSize(window_, fittedSize_))) {
                resized_ = true;
                Raise(handlers_.resize);
            }
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NOTIFY:
            OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kStartId && HIWORD(wParam) == BN_CLICKED &&
                reinterpret_cast<HWND>(lParam) == start_) {
                Raise(handlers_.startClick);
            }
            return 0;
        case WM_ACTIVATE:
            // Give the focus back to the control that had it, as a dialog does.
            if (LOWORD(wParam) == WA_INACTIVE) {
                focusBeforeDeactivation_ = GetFocus();
            } else if (focusBeforeDeactivation_ && IsChild(window_, focusBeforeDeactivation_)) {
                SetFocus(focusBeforeDeactivation_);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            SetFocus(focusBeforeDeactivation_ && IsChild(window_, focusBeforeDeactivation_) ? focusBeforeDeactivation_
                                                                                            : list_.Handle());
            return 0;
        case DM_GETDEFID:
            // Asked by the dialog manager, which turns Enter into its click.
            return static_cast<LRESULT>(MAKELONG(kStartId, DC_HASDEFID));
        case WM_SYSCOLORCHANGE:
            // Common controls learn of new colours only from their window.
            for (HWND control : {list_.Handle(), start_, tooltip_}) {
                if (control) SendMessageA(control, message, wParam, lParam);
            }
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETNONCLIENTMETRICS) {
                // A new message font (text size): the same rebuild as for a
                // new resolution, and the button as large as its caption now needs.
                SetFont();
                FitStartButton();
            }
            break;
        case kDescribeMessage:
            // The tooltip's warning is shown only on hover; as the button's
            // description a screen reader says it when the button gets the focus.
            startDescription_.Set(start_, kStartToolTip);
            return 0;
        case WM_DESTROY:
            startDescription_.Clear();
            if (messageLoopRunning_) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            // The window's own clean-up still needs its handle.
            HWND window = window_;
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            window_ = start_ = tooltip_ = nullptr;
            list_.Forget();
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32Window::OnNotify(const NMHDR& header) {
    const int position = loading_ ? 0 : list_.RowSelectedBy(header);
    if (position > 0) Raise([this, position] { handlers_.itemClick(position); });
}

// Moved to a monitor of another resolution (or the resolution changed), the
// window lays itself out again from the same twips, in the new pixels, and
// takes the size Windows proposes. What it shows stays as it is.
void Win32Window::OnDpiChanged(int dpiX, int dpiY, const RECT* suggested) {
    if (dpiX <= 0 || dpiY <= 0) return;
    const int oldDpiX = dpiX_;
    dpiX_ = dpiX;
    dpiY_ = dpiY;
    SetFont();
    SetIcons();
    list_.RescaleColumns(oldDpiX, dpiX_);
    const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(list_.Handle(), nullptr, PixelsX(kListLeft), PixelsY(kListTop), 0, 0, keep | SWP_NOSIZE);
    FitStartButton();
    // The list follows the window by the resize rule; when the window keeps
    // its size the rule still runs, as the list's size in pixels has changed.
    resized_ = false;
    if (suggested) {
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, keep);
    }
    if (shown_ && !resized_) Raise(handlers_.resize);
}

void Win32Window::Raise(const std::function<void()>& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception& failure) {
        ShowMessageBox(window_, failure.what());
    }
}

int Win32Window::PixelsX(int twips) const { return MulDiv(twips, dpiX_, kTwipsPerInch); }
int Win32Window::PixelsY(int twips) const { return MulDiv(twips, dpiY_, kTwipsPerInch); }
int Win32Window::TwipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiX_); }
int Win32Window::TwipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiY_); }

void Win32Window::StartupStepDone(const char* step) { MarkStartupPhase(step); }

void Win32Window::SetCaption(const std::string& caption) { SetWindowTextA(window_, caption.c_str()); }

int Win32Window::OuterWidthTwips() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return TwipsX(r.right - r.left);
}

int Win32Window::OuterHeightTwips() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return TwipsY(r.bottom - r.top);
}

void Win32Window::SetListWidthTwips(int width) {
    if (width < 0) throw Failure(kErrInvalidPropertyValue, "", "Invalid property value");
    RECT r{};
    GetWindowRect(list_.Handle(), &r);
    SetWindowPos(list_.Handle(), nullptr, 0, 0, PixelsX(width), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetListHeightTwips(int height) {
    if (height < 0) throw Failure(kErrInvalidPropertyValue, "", "Invalid property value");
    RECT r{};
    GetWindowRect(list_.Handle(), &r);
    SetWindowPos(list_.Handle(), nullptr, 0, 0, r.right - r.left, PixelsY(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
