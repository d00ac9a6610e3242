#pragma once
// The map catalogue: the rows of the map list, one per readable description
// file in the game's data folder plus the game's twelve own maps, each placed
// at its sorted position.

#include <cstddef>
#include <string>
#include <vector>

#include "launcher/MapDescription.h"
#include "launcher/MapEntry.h"
#include "platform/FileSystem.h"

// The game's single-player maps, in the order they are added.
const std::vector<MapEntry>& BuiltInMaps();

// Reads the description file at `path`, a piece at a time and no further than
// needed; `found`, where the search gave it, is what the search saw of it.
// Throws Failure whose description says why the file is unusable.
MapDescription ReadMapDescription(FileSystem& files, const std::string& path,
                                  const CodePage& codePage = OneBytePerCharacter(),
                                  const FileSystem::FoundFile* found = nullptr);

// How many skipped files the report names; the rest it counts.
inline constexpr std::size_t kNamedSkippedFiles = 10;

struct SkippedFile {
    std::string name;  // as the search named it
    std::string reason;
};

struct DescriptionScan {
    std::vector<MapEntry> maps;  // in the order the search found the files
    int skipped = 0;
    std::vector<SkippedFile> named;  // the first kNamedSkippedFiles of them
};

// Reads every data\*.mmp file below `gameFolder`; an unreadable one is
// skipped so that it cannot hide the rest of the catalogue. A file whose name
// the ANSI code page cannot spell is opened, and listed, by its short name.
DescriptionScan ReadDescribedMaps(FileSystem& files, const std::string& gameFolder,
                                  const CodePage& codePage = OneBytePerCharacter());

// Every row of the list in displayed order: the described maps and the
// built-in ones by name, in the order of the code page's sort keys (or the
// name's own bytes where it gives none). Rows with equal names
// keep the order in which they would have been added one by one: the
// described maps as the search found them, then the built-in maps in their
// own order.
std::vector<MapEntry> SortedCatalogue(std::vector<MapEntry> describedMaps,
                                      const CodePage& codePage = OneBytePerCharacter());

// What the user is told about the skipped files; empty when none was skipped.
std::string DescribeSkippedFiles(const DescriptionScan& scan);
