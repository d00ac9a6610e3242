#pragma once
// Whether a file is present.

#include <string>

class FileSystem;

// True when a search with `path` as its pattern finds at least one plain file
// (not a folder, not hidden, not system; read-only counts). Any failure
// answers false, silently.
bool FileExists(FileSystem& files, const std::string& path);
