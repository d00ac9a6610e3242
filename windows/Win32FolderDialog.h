#pragma once
// Windows implementation of FolderDialog (platform/FolderDialog.h): the
// shell's folder-browse dialog, modal to the main window.
//
// Only this dialog needs shell32 and ole32, so they are loaded, from the
// system folder only, when it is first shown rather than at every start; a
// missing library or function fails just the dialog. Once loaded they stay
// until the process ends: the dialog can leave shell threads running in
// them. COM is started on the first showing, on the window thread, and stays
// started for that thread's life.
//
// The chosen folder is read as a wide path and handed on in the ANSI code
// page, in its short form where only that one can be spelt there.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/FolderDialog.h"
#include "windows/SystemLibrary.h"

class Win32FolderDialog : public FolderDialog {
public:
    // `owner` is asked for the main window each time the dialog is shown:
    // the window may not exist yet when this object is made. The library
    // names can be changed so that tests can make one go missing.
    explicit Win32FolderDialog(std::function<HWND()> owner, std::string shellLibrary = "shell32.dll",
                               std::string comLibrary = "ole32.dll");
    Win32FolderDialog(const Win32FolderDialog&) = delete;
    Win32FolderDialog& operator=(const Win32FolderDialog&) = delete;

    std::optional<FolderPick> Browse(const std::string& title, std::uint32_t flags) override;

private:
    void BindAll();

    std::function<HWND()> owner_;
    OnDemandLibrary shell_;
    OnDemandLibrary com_;
    FARPROC browseForFolder_ = nullptr;
    FARPROC pathFromList_ = nullptr;
    FARPROC freeMemory_ = nullptr;
    FARPROC initialise_ = nullptr;
    bool comStarted_ = false;
};
