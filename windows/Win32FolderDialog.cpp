// Windows implementation of FolderDialog (platform/FolderDialog.h).

#include "windows/Win32FolderDialog.h"

#include <objbase.h>
#include <shlobj.h>

#include "platform/Failure.h"
#include "windows/SystemLibrary.h"

namespace {

constexpr const char* kSource = "FolderDialog";

using BrowseForFolderFn = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOA);
using PathFromListFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR);
using FreeMemoryFn = handle_traits::CoTaskMemory::FreeFunction;
using InitialiseFn = HRESULT(WINAPI*)(LPVOID, DWORD);
using UninitialiseFn = void(WINAPI*)();

}  // namespace

Win32FolderDialog::Win32FolderDialog(std::function<HWND()> owner, std::string shellLibrary, std::string comLibrary)
    : owner_(std::move(owner)), shell_(std::move(shellLibrary), kSource), com_(std::move(comLibrary), kSource) {}

Win32FolderDialog::~Win32FolderDialog() {
    // Before ole32 itself is let go, below.
    if (comStarted_) AsFunction<UninitialiseFn>(uninitialise_)();
}

// Everything is found before COM is started, so that a missing function
// leaves nothing half set up.
void Win32FolderDialog::BindAll() {
    if (!browseForFolder_) browseForFolder_ = shell_.Function("SHBrowseForFolderA");
    if (!pathFromList_) pathFromList_ = shell_.Function("SHGetPathFromIDListA");
    if (!freeMemory_) freeMemory_ = com_.Function("CoTaskMemFree");
    if (!initialise_) initialise_ = com_.Function("CoInitializeEx");
    if (!uninitialise_) uninitialise_ = com_.Function("CoUninitialize");
    if (!comStarted_) {
        // The dialog needs a single-threaded apartment. One that cannot be
        // had (the thread chose another) is left to the dialog to cope with.
        comStarted_ = SUCCEEDED(AsFunction<InitialiseFn>(initialise_)(nullptr, COINIT_APARTMENTTHREADED));
    }
}

std::optional<FolderPick> Win32FolderDialog::Browse(const std::string& title, std::uint32_t flags) {
    BindAll();

    char displayName[MAX_PATH] = {};  // filled by the shell, never used
    BROWSEINFOA info;
    ZeroMemory(&info, sizeof info);
    info.hwndOwner = owner_ ? owner_() : nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = flags;
    info.lpfn = nullptr;
    info.lParam = 0;

    // The shell hands back its own memory for the item list: ours to free.
    UniqueCoTaskMem list(AsFunction<BrowseForFolderFn>(browseForFolder_)(&info),
                         handle_traits::CoTaskMemory(AsFunction<FreeMemoryFn>(freeMemory_)));
    if (!list) return std::nullopt;

    FolderPick pick;
    char path[MAX_PATH] = {};
    if (AsFunction<PathFromListFn>(pathFromList_)(static_cast<PCIDLIST_ABSOLUTE>(list.get()), path)) {
        pick.hasPath = true;
        pick.path = path;  // up to the first zero
    }
    return pick;
}
