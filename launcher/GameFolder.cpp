// The one program-wide game folder; empty until the start-up fills it.

#include "launcher/GameFolder.h"

#include "platform/Failure.h"
#include "platform/FileSystem.h"

std::string GameFolder;

bool EndsInBackslash(const std::string& path, const CodePage& codePage) {
    std::size_t last = 0;
    for (std::size_t at = 0; at < path.size(); at += codePage.CharacterLength(path.data() + at, path.size() - at)) {
        last = at;
    }
    return !path.empty() && last == path.size() - 1 && path[last] == '\\';
}

std::string WithTrailingBackslash(const std::string& path, const CodePage& codePage) {
    return EndsInBackslash(path, codePage) ? path : path + '\\';
}

std::string FullGameFolder(FileSystem& files, const CodePage& codePage, const std::string& folder) {
    std::string full;
    try {
        full = files.FullPath(folder.empty() ? "." : folder);
    } catch (const Failure&) {
        // Still the current folder, never the root a lone backslash names.
        full = folder.empty() ? "." : folder;
    }
    return WithTrailingBackslash(full, codePage);
}
