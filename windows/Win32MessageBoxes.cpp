// Windows implementation of the message boxes declared in Win32MessageBoxes.h.

#include "windows/Win32MessageBoxes.h"

namespace {

// The hidden owner whose next box is still to be given its button, for the
// hook below. Boxes are modal and shown on the one user-interface thread only.
HWND boxOwner = nullptr;

// The box keeps its owner, so the owner stays disabled while it is up and
// gets the focus back after it, as for every other box; it only gains the
// taskbar button. A box with no owner and MB_TASKMODAL would have a button
// too, but it would belong to no window of the program, and the window
// would not be the one the focus returns to. The style goes in once the box
// is made and before it is first shown, which is when the taskbar looks at
// it: the creation itself would not keep a style given while it runs.
LRESULT CALLBACK GiveBoxATaskbarButton(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && boxOwner) {
        const CWPSTRUCT& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call.message == WM_INITDIALOG && GetWindow(call.hwnd, GW_OWNER) == boxOwner) {
            SetWindowLongPtrA(call.hwnd, GWL_EXSTYLE, GetWindowLongPtrA(call.hwnd, GWL_EXSTYLE) | WS_EX_APPWINDOW);
            boxOwner = nullptr;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void ShowMessageBox(HWND owner, const std::string& text) {
    HHOOK hook = nullptr;
    if (owner && !IsWindowVisible(owner)) {
        hook = SetWindowsHookExA(WH_CALLWNDPROC, GiveBoxATaskbarButton, nullptr, GetCurrentThreadId());
        if (hook) boxOwner = owner;
    }
    MessageBoxA(owner, text.c_str(), kApplicationTitle, MB_OK);
    if (hook) {
        UnhookWindowsHookEx(hook);
        boxOwner = nullptr;
    }
}

void Win32MessageBoxes::ShowMessage(const std::string& text) { ShowMessageBox(owner_ ? owner_() : nullptr, text); }
