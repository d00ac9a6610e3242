// Windows implementation of FolderDialog (platform/FolderDialog.h).

#include "windows/Win32FolderDialog.h"

#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "platform/Failure.h"
#include "windows/SystemLibrary.h"

namespace {

constexpr const char* kSource = "FolderDialog";

using BrowseForFolderFn = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOA);
using PathFromListFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPWSTR);
using FreeMemoryFn = handle_traits::CoTaskMemory::FreeFunction;
using InitialiseFn = HRESULT(WINAPI*)(LPVOID, DWORD);

// The dialog is owned by the main window, which is still hidden at start-up,
// and an owned window gets no taskbar button of its own: without one a user
// who switches away cannot find the program again.
int CALLBACK OnDialogEvent(HWND dialog, UINT event, LPARAM, LPARAM) {
    if (event == BFFM_INITIALIZED) {
        LONG_PTR style = GetWindowLongPtrA(dialog, GWL_EXSTYLE);
        SetWindowLongPtrA(dialog, GWL_EXSTYLE, style | WS_EX_APPWINDOW);
    }
    return 0;
}

// The ANSI form of a wide path, or nothing when the code page cannot spell
// every character of it. Best-fit mappings (Ł to L, say) are refused too:
// they name another folder, or none.
std::optional<std::string> ToAnsi(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const UINT codePage = GetACP();
    // UTF-8 spells everything, and refuses both the flag and the question.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    LPBOOL askUsedDefault = utf8 ? nullptr : &usedDefault;
    const int wideLength = static_cast<int>(wide.size());
    int size = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0, nullptr, askUsedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(size), '\0');
    size = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, ansi.data(), size, nullptr, askUsedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    ansi.resize(static_cast<std::size_t>(size));
    return ansi;
}

std::wstring ShortPathOf(const std::wstring& path) {
    DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::wstring();
    std::vector<wchar_t> shortPath(size);
    DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return std::wstring();
    return std::wstring(shortPath.data(), length);
}

}  // namespace

Win32FolderDialog::Win32FolderDialog(std::function<HWND()> owner, std::string shellLibrary, std::string comLibrary)
    : owner_(std::move(owner)),
      shell_(std::move(shellLibrary), kSource, OnDemandLibrary::Lifetime::UntilTheProcessEnds),
      com_(std::move(comLibrary), kSource, OnDemandLibrary::Lifetime::UntilTheProcessEnds) {}

// Everything is found before COM is started, so that a missing function
// leaves nothing half set up.
void Win32FolderDialog::BindAll() {
    if (!browseForFolder_) browseForFolder_ = shell_.Function("SHBrowseForFolderA");
    if (!pathFromList_) pathFromList_ = shell_.Function("SHGetPathFromIDListW");
    if (!freeMemory_) freeMemory_ = com_.Function("CoTaskMemFree");
    if (!initialise_) initialise_ = com_.Function("CoInitializeEx");
    if (!comStarted_) {
        // The dialog needs a single-threaded apartment. One that cannot be
        // had (the thread chose another) is left to the dialog to cope with.
        // Once started it stays for the thread's life: stopping it unloads
        // what COM loaded for the dialog, under shell threads that may still
        // run, and the process's end takes the apartment down anyway.
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
    info.lpfn = OnDialogEvent;
    info.lParam = 0;

    // The shell hands back its own memory for the item list: ours to free.
    UniqueCoTaskMem list(AsFunction<BrowseForFolderFn>(browseForFolder_)(&info),
                         handle_traits::CoTaskMemory(AsFunction<FreeMemoryFn>(freeMemory_)));
    if (!list) return std::nullopt;

    FolderPick pick;
    // Asked for in full: the ANSI form would turn what the code page cannot
    // spell into question marks, and so into a folder that is not there.
    wchar_t path[MAX_PATH] = {};
    if (!AsFunction<PathFromListFn>(pathFromList_)(static_cast<PCIDLIST_ABSOLUTE>(list.get()), path)) return pick;
    const std::wstring wide(path);  // up to the first zero
    std::optional<std::string> ansi = ToAnsi(wide);
    // The game takes the short form just as well, where the volume keeps one.
    if (!ansi) {
        const std::wstring shortPath = ShortPathOf(wide);
        if (!shortPath.empty()) ansi = ToAnsi(shortPath);
    }
    if (ansi) {
        pick.hasPath = true;
        pick.path = *ansi;
    } else {
        pick.pathNotInCodePage = true;
    }
    return pick;
}
