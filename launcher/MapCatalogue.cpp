// Building the catalogue: description files, built-in maps, sorted rows.

#include "launcher/MapCatalogue.h"

#include <algorithm>
#include <cstddef>

#include "launcher/GameInstallation.h"
#include "launcher/MapNameOrder.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"

namespace {

// Description files are a few hundred bytes: one piece usually holds all
// five lines.
constexpr std::size_t kReadPiece = 4096;

constexpr std::int32_t kUnreadableFile = 62;

}  // namespace

const std::vector<MapEntry>& BuiltInMaps() {
    static const std::vector<MapEntry> maps = {
        {"1st City - Downtown", "", "wil.gmp", "wil.sty", "wil.scr"},
        {"2nd City - Residential", "", "ste.gmp", "ste.sty", "ste.scr"},
        {"3rd City - Industrial", "", "bil.gmp", "bil.sty", "bil.scr"},
        {"1st City Bonus 1", "", "lorne2e.gmp", "wil.sty", "lorne2e.scr"},
        {"1st City Bonus 2", "", "lorne2m.gmp", "wil.sty", "lorne2m.scr"},
        {"1st City Bonus 3", "", "lorne2h.gmp", "wil.sty", "lorne2h.scr"},
        {"2nd City Bonus 1", "", "mike1e.gmp", "ste.sty", "mike1e.scr"},
        {"2nd City Bonus 2", "", "mike1m.gmp", "ste.sty", "mike1m.scr"},
        {"2nd City Bonus 3", "", "mike1h.gmp", "ste.sty", "mike1h.scr"},
        {"3rd City Bonus 1", "", "mike2e.gmp", "bil.sty", "mike2e.scr"},
        {"3rd City Bonus 2", "", "mike2m.gmp", "bil.sty", "mike2m.scr"},
        {"3rd City Bonus 3", "", "mike2h.gmp", "bil.sty", "mike2h.scr"},
    };
    return maps;
}

MapDescription ReadMapDescription(FileSystem& files, const std::string& path, const CodePage& codePage) {
    std::unique_ptr<InputFile> file;
    try {
        file = files.OpenForReading(path);
    } catch (const Failure& failure) {
        throw Failure(failure.Number(), failure.Source(), "the file cannot be opened: " + failure.Description());
    }
    MapDescriptionParser parser(codePage);
    char piece[kReadPiece];
    while (parser.Result() == MapDescriptionParser::Outcome::NeedMore) {
        std::size_t count = 0;
        try {
            count = file->Read(piece, sizeof piece);
        } catch (const Failure& failure) {
            throw Failure(failure.Number(), failure.Source(), "the file cannot be read: " + failure.Description());
        }
        if (count == 0) {
            parser.Finish();
        } else {
            parser.Feed(piece, count);
        }
    }
    if (parser.Result() != MapDescriptionParser::Outcome::Complete) {
        throw Failure(kUnreadableFile, "", DescribeProblem(parser.Result(), parser.ProblemLine()));
    }
    return parser.Description();
}

int AddMapRow(LauncherView& view, const MapEntry& entry) {
    const int count = view.RowCount();
    // Rows usually come in order (see AddDescribedMaps): try the end first.
    int position = count + 1;
    if (count > 0 && CompareMapNames(view.CellText(count, 1), entry.name) > 0) {
        position = SortedInsertPosition(entry.name, count - 1, [&view](int row) { return view.CellText(row, 1); });
    }
    view.InsertRow(position, entry);
    return position;
}

DescriptionScan AddDescribedMaps(LauncherView& view, FileSystem& files, const std::string& gameFolder,
                                 const CodePage& codePage) {
    DescriptionScan scan;
    // Sorted here first, so that a folder of thousands of maps does not make
    // the list shift its rows for every insertion; a stable sort keeps equal
    // names in the order the search found them, as inserting one by one would.
    std::vector<MapEntry> found;
    const std::string folder = gameFolder + game::kDataFolder;
    for (const std::string& fileName : files.FindPlainFiles(gameFolder + game::kDescriptionPattern)) {
        MapDescription description;
        try {
            description = ReadMapDescription(files, folder + fileName, codePage);
        } catch (const Failure& failure) {
            if (scan.skipped++ == 0) {
                scan.firstSkippedFile = fileName;
                scan.firstReason = failure.Description();
            }
            continue;
        }
        found.push_back(MapEntry{std::move(description.name), fileName, std::move(description.gmp),
                                 std::move(description.sty), std::move(description.scr)});
    }
    std::vector<std::size_t> order(found.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&found](std::size_t a, std::size_t b) {
        return CompareMapNames(found[a].name, found[b].name) < 0;
    });
    for (std::size_t i : order) AddMapRow(view, found[i]);
    return scan;
}

std::string DescribeSkippedFiles(const DescriptionScan& scan) {
    if (scan.skipped == 0) return std::string();
    if (scan.skipped == 1) {
        return "Could not read the map description file '" + scan.firstSkippedFile + "': " + scan.firstReason;
    }
    return "Could not read " + std::to_string(scan.skipped) + " map description files; the first was '" +
           scan.firstSkippedFile + "': " + scan.firstReason;
}
