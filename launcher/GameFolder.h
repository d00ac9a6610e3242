#pragma once
// The game installation folder, shared by the whole program. File names are
// appended to it directly, so a usable value ends with a backslash; empty
// text makes every derived path relative to the current folder.

#include <string>

extern std::string GameFolder;
