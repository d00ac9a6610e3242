// Windows implementation of the message boxes declared in Win32MessageBoxes.h.

#include "windows/Win32MessageBoxes.h"

namespace {

// The hidden owner whose next box is still to be made, for the hook below.
// Boxes are modal and shown on the one user-interface thread only.
HWND boxOwner = nullptr;

// The box keeps its owner, so the owner stays disabled while it is up and
// gets the focus back after it, as for every other box; it only gains the
// taskbar button. The style goes in before the box is first shown, which is
// when the taskbar looks at it.
LRESULT CALLBACK GiveBoxATaskbarButton(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && boxOwner) {
        CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (create.hwndParent == boxOwner && !(create.style & WS_CHILD)) {
            create.dwExStyle |= WS_EX_APPWINDOW;
            HWND box = reinterpret_cast<HWND>(wParam);
            SetWindowLongPtrA(box, GWL_EXSTYLE, GetWindowLongPtrA(box, GWL_EXSTYLE) | WS_EX_APPWINDOW);
            boxOwner = nullptr;  // its buttons and text are not to be touched
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void ShowMessageBox(HWND owner, const std::string& text) {
    HHOOK hook = nullptr;
    if (owner && !IsWindowVisible(owner)) {
        hook = SetWindowsHookExA(WH_CBT, GiveBoxATaskbarButton, nullptr, GetCurrentThreadId());
        if (hook) boxOwner = owner;
    }
    MessageBoxA(owner, text.c_str(), kApplicationTitle, MB_OK);
    if (hook) {
        UnhookWindowsHookEx(hook);
        boxOwner = nullptr;
    }
}

void Win32MessageBoxes::ShowMessage(const std::string& text) { ShowMessageBox(owner_ ? owner_() : nullptr, text); }
