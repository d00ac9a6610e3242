#pragma once
// The map launched last as the settings remember it by what it is, and the
// row that stands for it now. Its stored position alone would select
// whatever row has moved into that place since: a description file added,
// removed or renamed, or another order of the user's language, moves rows.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "launcher/MapEntry.h"
#include "platform/CodePage.h"

class cRegistry;

struct RememberedMap {
    // Each as stored; nothing where none is usable.
    std::optional<std::string> file;  // the row's MMP cell, empty for a built-in map
    std::optional<std::string> name;
};

// Reads map_file and map_name from the key `registry` stands at. A value of
// another type than plain text, or longer than any such text can be, counts
// as none; so does one the registry fails to give.
RememberedMap ReadRememberedMap(cRegistry& registry);

// The position, counted from 1, of the first of `rows` (in displayed order)
// that stands for `remembered`: the row of that description file, letter case
// aside, or, where the file is remembered as empty, the built-in row of that
// name. 0 where no row does.
std::size_t FindRememberedRow(const std::vector<MapEntry>& rows, const RememberedMap& remembered,
                              const CodePage& codePage);
