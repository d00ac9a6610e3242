#pragma once
// Asking the user where the game is installed.

struct Platform;

inline constexpr const char* kBrowseTitle = "Where is your GTA2 folder?";
// BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON
inline constexpr unsigned kBrowseFlags = 0x251;
// Said when the picked folder's path cannot be written in the system's ANSI
// code page, which the game and this program both use.
inline constexpr const char* kPathNotInCodePageText =
    "The folder's path has characters that programs for this system's language cannot use. "
    "Choose a folder whose path has none of them.";

// Shows the folder dialog until the user picks a folder holding the game or
// cancels. On acceptance GameFolder holds the folder with a trailing
// backslash and GTA2Folder stores it; on cancel GameFolder is as on entry.
// Reports its own failures (description alone) and passes none back.
void BrowseForGameFolder(Platform& platform);
