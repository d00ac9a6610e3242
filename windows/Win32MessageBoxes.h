#pragma once
// Windows implementation of UserMessages: MessageBoxA over the main window.

#include <windows.h>

#include <functional>

#include "platform/UserMessages.h"

class Win32MessageBoxes : public UserMessages {
public:
    // `owner` is asked each time: the window does not exist yet when the
    // services are made, and a box may come before it is shown.
    explicit Win32MessageBoxes(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    void ShowMessage(const std::string& text) override;

private:
    std::function<HWND()> owner_;
};
