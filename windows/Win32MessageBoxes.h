#pragma once
// Windows implementation of UserMessages: MessageBoxA over the main window.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/UserMessages.h"

// A message box owned by `owner` (modal to it), titled with the program's
// name. While the owner is still hidden, as during the start, the box gets a
// taskbar button of its own: an owned window has none, and the program
// would otherwise be found only through Alt+Tab.
void ShowMessageBox(HWND owner, const std::string& text);

class Win32MessageBoxes : public UserMessages {
public:
    // `owner` is asked each time: the window does not exist yet when the
    // services are made, and a box may come before it is shown.
    explicit Win32MessageBoxes(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    void ShowMessage(const std::string& text) override;

private:
    std::function<HWND()> owner_;
};
