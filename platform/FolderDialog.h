#pragma once
// The shell's folder-browse dialog, modal to the main window.

#include <cstdint>
#include <optional>
#include <string>

struct FolderPick {
    // False when the picked item has no file-system path (a virtual folder).
    bool hasPath = false;
    // The path as the shell returned it, cut at its first zero character,
    // in the ANSI code page; its short form where the long one has
    // characters the code page cannot spell.
    std::string path;
    // The picked folder has a file-system path, but the system's ANSI code
    // page cannot spell it, not even in its short form (hasPath is false).
    bool pathNotInCodePage = false;
};

class FolderDialog {
public:
    virtual ~FolderDialog() = default;
    // Shows the dialog with `title` and the shell's browse flags `flags`;
    // returns nothing when the user cancels. Throws Failure when the dialog
    // cannot be shown at all.
    virtual std::optional<FolderPick> Browse(const std::string& title, std::uint32_t flags) = 0;
};
