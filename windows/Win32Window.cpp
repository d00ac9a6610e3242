// Windows implementation of the main window declared in Win32Window.h.

#include "windows/Win32Window.h"

#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/Failure.h"
#include "platform/UserMessages.h"
#include "windows/DisplayScale.h"
#include "windows/StartupPhases.h"
#include "windows/SystemErrorText.h"
#include "windows/SystemLibrary.h"
#include "windows/Win32MessageBoxes.h"

namespace {

const char kWindowClass[] = "frmLauncher";
const char kStartCaption[] = "&Launch GTA2";
const char kStartToolTip[] = "Some scripts will crash in 1 player if they try to use commands on players 2-6";
// The list view never shows its text: screen readers take it as its name.
const char kListName[] = "Maps";
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

// Oleacc's annotation service and the description property, named here so
// that nothing binds oleacc or ole32 at load.
constexpr CLSID kAccPropServicesClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kDescriptionProperty = {
    0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};

using InitialiseFn = HRESULT(WINAPI*)(LPVOID, DWORD);
using UninitialiseFn = void(WINAPI*)();
using CreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

// A function of COM's library, loaded by name the first time it is needed
// and never let go (COM and the shell leave threads running in it); null
// where the library or the function is missing.
template <typename Function>
Function ComFunction(const char* name) {
    static OnDemandLibrary com("ole32.dll", "Window", OnDemandLibrary::Lifetime::UntilTheProcessEnds);
    try {
        return AsFunction<Function>(com.Function(name));
    } catch (const Failure&) {
        return nullptr;
    }
}

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
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, kListName,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_SHAREIMAGELISTS,
                            PixelsX(kListLeft), PixelsY(kListTop), PixelsX(kListWidth), PixelsY(kListHeight), window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance_, nullptr);
    if (!list_) FailWithSystemText("CreateWindowEx(list view)");
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
    for (HWND control : {list_, start_, tooltip_}) {
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
    SIZE needed{0, 0};
    if (!SendMessageA(start_, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&needed)) || needed.cx <= 0) {
        // Common controls before version 6 cannot say: the caption in the
        // button's font, with room for the edges and the focus rectangle.
        needed = SIZE{0, 0};
        UniqueWindowDc dc(GetDC(start_), start_);
        if (dc) {
            HGDIOBJ before = SelectObject(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(start_, WM_GETFONT, 0, 0)));
            RECT text{};
            DrawTextA(dc.get(), kStartCaption, -1, &text, DT_CALCRECT | DT_SINGLELINE);
            SelectObject(dc.get(), before);
            needed.cx = text.right - text.left + 4 * (GetSystemMetrics(SM_CXEDGE) + 2);
            needed.cy = text.bottom - text.top + 4 * (GetSystemMetrics(SM_CYEDGE) + 2);
        }
    }
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
    ResumeListDrawing();
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
    SetFocus(list_);
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
                                                                                            : list_);
            return 0;
        case DM_GETDEFID:
            // Asked by the dialog manager, which turns Enter into its click.
            return static_cast<LRESULT>(MAKELONG(kStartId, DC_HASDEFID));
        case WM_SYSCOLORCHANGE:
            // Common controls learn of new colours only from their window.
            for (HWND control : {list_, start_, tooltip_}) {
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
            DescribeStartButton();
            return 0;
        case WM_DESTROY:
            ForgetStartButtonDescription();
            if (messageLoopRunning_) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            // The window's own clean-up still needs its handle.
            HWND window = window_;
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            window_ = list_ = start_ = tooltip_ = nullptr;
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32Window::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != list_ || header.code != LVN_ITEMCHANGED || loading_) return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    // Only a row becoming selected is a click on it; the deselection of the
    // previous row and focus-only changes are not.
    const bool becameSelected =
        (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    if (becameSelected && change.iItem >= 0) {
        const int position = change.iItem + 1;
        Raise([this, position] { handlers_.itemClick(position); });
    }
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
    for (int column = 0; column < columnCount_; ++column) {
        const int width = static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageA(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(MulDiv(width, dpiX_, oldDpiX), 0));
    }
    const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(list_, nullptr, PixelsX(kListLeft), PixelsY(kListTop), 0, 0, keep | SWP_NOSIZE);
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

// ---- Assistive programs ------------------------------------------------------------

// The tooltip's warning is shown only on hover; as the button's description
// a screen reader says it when the button gets the focus. Where oleacc, COM
// or the annotation service is missing, the button simply has none.
void Win32Window::DescribeStartButton() {
    if (accessibleProperties_ || !start_) return;
    const auto initialise = ComFunction<InitialiseFn>("CoInitializeEx");
    const auto createInstance = ComFunction<CreateInstanceFn>("CoCreateInstance");
    if (!initialise || !createInstance) return;
    // The apartment the folder dialog uses too; one the thread already has
    // (of either kind) serves as it is.
    comStarted_ = SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED));
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(createInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                                 reinterpret_cast<void**>(&services))) &&
        services) {
        const std::wstring description(std::begin(kStartToolTip), std::end(kStartToolTip) - 1);  // ASCII
        if (SUCCEEDED(services->SetHwndPropStr(start_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                               kDescriptionProperty, description.c_str()))) {
            accessibleProperties_ = services;
            return;
        }
        services->Release();
    }
    ForgetStartButtonDescription();
}

void Win32Window::ForgetStartButtonDescription() {
    if (accessibleProperties_) {
        accessibleProperties_->ClearHwndProps(start_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                              &kDescriptionProperty, 1);
        accessibleProperties_->Release();
        accessibleProperties_ = nullptr;
    }
    if (comStarted_) {
        comStarted_ = false;
        if (const auto uninitialise = ComFunction<UninitialiseFn>("CoUninitialize")) uninitialise();
    }
}

// ---- Units ---------------------------------------------------------------------

int Win32Window::PixelsX(int twips) const { return MulDiv(twips, dpiX_, kTwipsPerInch); }
int Win32Window::PixelsY(int twips) const { return MulDiv(twips, dpiY_, kTwipsPerInch); }
int Win32Window::TwipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiX_); }
int Win32Window::TwipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiY_); }

// ---- The window -------------------------------------------------------------------

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

// ---- The list's size ------------------------------------------------------------------

void Win32Window::SetListWidthTwips(int width) {
    if (width < 0) throw Failure(kErrInvalidPropertyValue, "", "Invalid property value");
    RECT r{};
    GetWindowRect(list_, &r);
    SetWindowPos(list_, nullptr, 0, 0, PixelsX(width), r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetListHeightTwips(int height) {
    if (height < 0) throw Failure(kErrInvalidPropertyValue, "", "Invalid property value");
    RECT r{};
    GetWindowRect(list_, &r);
    SetWindowPos(list_, nullptr, 0, 0, r.right - r.left, PixelsY(height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- List set-up ----------------------------------------------------------------------

void Win32Window::ApplyListOptions() {
    MarkStartupPhase("settings and folder test");
    LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
    // The logic owns the order: the control must never sort on its own.
    style &= ~static_cast<LONG_PTR>(LVS_TYPEMASK | LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING |
                                    LVS_NOCOLUMNHEADER);
    style |= LVS_REPORT | LVS_SINGLESEL;
    SetWindowLongPtrA(list_, GWL_STYLE, style);
    // A cell cut short by its column shows its whole text when pointed at.
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

void Win32Window::AddColumn(const std::string& title, int widthTwips) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = PixelsX(widthTwips);
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = columnCount_;
    if (SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(columnCount_), reinterpret_cast<LPARAM>(&column)) <
        0) {
        throw Failure(kErrIndexOutOfBounds, "", "The column could not be added");
    }
    ++columnCount_;
}

void Win32Window::SetColumnTitle(int column, const std::string& title) {
    if (column < 1 || column > columnCount_) throw Failure(kErrIndexOutOfBounds, "", "Index out of bounds");
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT;
    header.pszText = const_cast<char*>(title.c_str());
    SendMessageA(list_, LVM_SETCOLUMNA, static_cast<WPARAM>(column - 1), reinterpret_cast<LPARAM>(&header));
}

void Win32Window::KeepSelectionVisibleWithoutFocus() {
    SetWindowLongPtrA(list_, GWL_STYLE, GetWindowLongPtrA(list_, GWL_STYLE) | LVS_SHOWSELALWAYS);
}

// ---- Rows -------------------------------------------------------------------------------

int Win32Window::RowCount() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

void Win32Window::CheckRow(int position) const {
    if (position < 1 || position > RowCount()) throw Failure(kErrIndexOutOfBounds, "", "Index out of bounds");
}

// The list redraws itself for every row added, hidden or not: during the
// load, with thousands of maps, that cost seconds. Drawing is switched off
// for the inserts and back on before anything that scrolls, which the
// control does not do while it may not draw.
void Win32Window::SuspendListDrawing() {
    if (!loading_ || listDrawingSuspended_) return;
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    listDrawingSuspended_ = true;
}

void Win32Window::ResumeListDrawing() {
    if (!listDrawingSuspended_) return;
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    listDrawingSuspended_ = false;
}

// One insert and four cell texts a row, and nothing asked of the list: the
// rows come sorted, so each goes in after the last.
void Win32Window::AppendRows(const std::vector<MapEntry>& rows) {
    MarkStartupPhase("description files read");
    SuspendListDrawing();
    int index = RowCount();
    for (const MapEntry& entry : rows) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>(entry.name.c_str());
        if (SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != index) {
            throw Failure(kErrIndexOutOfBounds, "", "The row could not be added");
        }
        const std::string* cells[] = {&entry.mmp, &entry.gmp, &entry.sty, &entry.scr};
        for (int sub = 1; sub <= 4; ++sub) {
            LVITEMA cell{};
            cell.iSubItem = sub;
            cell.pszText = const_cast<char*>(cells[sub - 1]->c_str());
            // A cell the list cannot hold (out of memory) fails the row, which
            // then goes: a row with an empty file name would launch nothing.
            if (!SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell))) {
                SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
                throw Failure(kErrIndexOutOfBounds, "", "The row could not be added");
            }
        }
        ++index;
    }
    MarkStartupPhase("rows inserted");
}

std::string Win32Window::CellText(int position, int column) const {
    CheckRow(position);
    if (column < 1 || column > columnCount_) throw Failure(kErrIndexOutOfBounds, "", "Index out of bounds");
    // The control says only how much it copied: grow until it fits.
    for (size_t size = 256;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        LVITEMA item{};
        item.iSubItem = column - 1;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const LRESULT length =
            SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item));
        if (length < static_cast<LRESULT>(size) - 1 || size >= (1u << 20)) return std::string(buffer.data());
    }
}

void Win32Window::SelectRow(int position) {
    CheckRow(position);
    ResumeListDrawing();
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item));
    SendMessageA(list_, LVM_SETSELECTIONMARK, 0, position - 1);
}

void Win32Window::ScrollRowIntoView(int position) {
    ResumeListDrawing();
    // A row that is not there is simply not scrolled to.
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position - 1), FALSE);
}

int Win32Window::SelectedRow() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}
