#pragma once
// The game installation folder, shared by the whole program. File names are
// appended to it directly, so a usable value ends with a backslash. The
// start-up makes it a full path, so that the marker test, the catalogue and
// the launch all mean the same folder whatever the current folder is then.

#include <string>

#include "platform/CodePage.h"

class FileSystem;

extern std::string GameFolder;

// Whether the last character of `path` is a backslash. On a double-byte code
// page the last byte may have a backslash's value and yet end another
// character (the second byte of 表 in code page 932 does).
bool EndsInBackslash(const std::string& path, const CodePage& codePage);

// `path` with a backslash after it unless its last character is one.
std::string WithTrailingBackslash(const std::string& path, const CodePage& codePage);

// `folder` as a full path that ends in one backslash; empty text is the
// current folder. A folder the system cannot make a full path of (one too
// long for it) is kept as it is, and is then found nowhere.
std::string FullGameFolder(FileSystem& files, const CodePage& codePage, const std::string& folder);
