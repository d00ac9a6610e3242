// Windows implementation of FolderDialog (platform/FolderDialog.h).

#include "windows/Win32FolderDialog.h"

#include <shlobj.h>

#include "windows/Handles.h"

Win32FolderDialog::Win32FolderDialog(std::function<HWND()> owner) : owner_(std::move(owner)) {}

std::optional<FolderPick> Win32FolderDialog::Browse(const std::string& title, std::uint32_t flags) {
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

    // The shell hands back its own memory for the list: ours to free.
    UniqueCoTaskMem list(SHBrowseForFolderA(&info));
    if (!list) return std::nullopt;

    FolderPick pick;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(list.get()), path)) {
        pick.hasPath = true;
        pick.path = path;  // up to the first zero
    }
    return pick;
}
