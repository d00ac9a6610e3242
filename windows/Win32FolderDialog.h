#pragma once
// Windows implementation of FolderDialog (platform/FolderDialog.h): the
// shell's folder-browse dialog, modal to the main window.

#include <windows.h>

#include <functional>

#include "platform/FolderDialog.h"

class Win32FolderDialog : public FolderDialog {
public:
    // `owner` is asked for the main window each time the dialog is shown:
    // the window may not exist yet when this object is made.
    explicit Win32FolderDialog(std::function<HWND()> owner);

    std::optional<FolderPick> Browse(const std::string& title, std::uint32_t flags) override;

private:
    std::function<HWND()> owner_;
};
