// Whether a file is present (modMisc.h).

#include "system/modMisc.h"

#include "platform/FileSystem.h"

bool FileExists(FileSystem& files, const std::string& path) {
    // The path goes in as a search pattern on purpose: callers rely on the
    // search skipping folders, hidden and system files, and a wildcard in
    // the path simply matches. Whatever goes wrong only means "not there".
    try {
        return !files.FindPlainFiles(path).empty();
    } catch (...) {
        return false;
    }
}
