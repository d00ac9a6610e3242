#pragma once
// The order of the map list: ascending by name, the way a Windows list
// control orders its rows (a case-insensitive "word sort" of ANSI text:
// hyphens and apostrophes count only when the names are otherwise equal,
// punctuation before digits, digits before letters, letter case ignored).
// Every position in the list, the selection and the stored map_index refer
// to this order, so the real list and the tests both take it from here.

#include <string>
#include <vector>

// Negative when `a` sorts before `b`, zero when the two sort as equal,
// positive otherwise.
int CompareMapNames(const std::string& a, const std::string& b);
