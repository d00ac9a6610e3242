#pragma once
// The map catalogue: the rows of the map list, one per readable description
// file in the game's data folder plus the game's twelve own maps, each placed
// at its sorted position.

#include <string>
#include <vector>

#include "launcher/LauncherView.h"
#include "launcher/MapDescription.h"
#include "launcher/MapEntry.h"

class FileSystem;

// The game's single-player maps, in the order they are added.
const std::vector<MapEntry>& BuiltInMaps();

// Reads the description file at `path`, a piece at a time and no further than
// needed. Throws Failure whose description says why the file is unusable.
MapDescription ReadMapDescription(FileSystem& files, const std::string& path,
                                  const CodePage& codePage = OneBytePerCharacter());

// Inserts `entry` at its sorted position (after rows with an equal name);
// returns that position.
int AddMapRow(LauncherView& view, const MapEntry& entry);

struct DescriptionScan {
    int skipped = 0;
    std::string firstSkippedFile;  // as the search named it
    std::string firstReason;
};

// Adds a row for every readable data\*.mmp file below `gameFolder`; an
// unreadable one is skipped so that it cannot hide the rest of the catalogue.
DescriptionScan AddDescribedMaps(LauncherView& view, FileSystem& files, const std::string& gameFolder,
                                 const CodePage& codePage = OneBytePerCharacter());

// What the user is told about the skipped files; empty when none was skipped.
std::string DescribeSkippedFiles(const DescriptionScan& scan);
