#pragma once
// The stand-ins' model of how Windows orders Western (Windows-1252) map
// names: the way a list control orders its rows, a case-insensitive "word
// sort" of ANSI text (hyphens and apostrophes count only when the names are
// otherwise equal, punctuation before digits, digits before letters, letter
// case ignored). The program itself asks the system for the order of the
// user's own language (CodePage::AppendSortKey). The stand-ins have no
// system to ask: their code pages order every name by this model, which
// shows what the positions, the selection and the stored map_index rely on,
// and the Windows tests hold it against the system's own comparison.

#include <string>

// Appends to `keys` the bytes by which `name` sorts: two names compare as
// their keys do, byte by byte and unsigned, a key that begins another first.
void AppendMapNameSortKey(const std::string& name, std::string& keys);

// Negative when `a` sorts before `b`, zero when the two sort as equal,
// positive otherwise.
int CompareMapNames(const std::string& a, const std::string& b);
