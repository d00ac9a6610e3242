// Building the catalogue: description files, built-in maps, sorted rows.

#include "launcher/MapCatalogue.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "launcher/GameInstallation.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"

namespace {

// Description files are a few hundred bytes: one piece usually holds the
// whole [MapFiles] section.
constexpr std::size_t kReadPiece = 4096;

constexpr std::int32_t kUnreadableFile = 62;

constexpr const char* kUnspelledName = "its name cannot be spelled in this system's language";
constexpr const char* kNotAFile = "is not a file";

// The search also matches a file's short 8.3 name, which turns "x.mmp_old"
// or "x.mmpx" into "X~1.MMP": only a long name that ends in the extension
// names a description file.
bool HasDescriptionExtension(const std::string& fileName) {
    const std::string extension = ".mmp";
    if (fileName.size() < extension.size()) return false;
    const std::size_t start = fileName.size() - extension.size();
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(fileName[start + i])) != extension[i]) return false;
    }
    return true;
}

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

MapDescription ReadMapDescription(FileSystem& files, const std::string& path, const CodePage& codePage,
                                  const FileSystem::FoundFile* found) {
    std::unique_ptr<InputFile> file;
    try {
        file = found != nullptr ? files.OpenFound(path, *found) : files.OpenForReading(path);
    } catch (const Failure& failure) {
        throw Failure(failure.Number(), failure.Source(), "the file cannot be opened: " + failure.Description());
    }
    // "COM1.mmp" names the serial port wherever it stands, and a read of a
    // port waits for data that may never come: the window would never show.
    if (!file->IsDiskFile()) throw Failure(kUnreadableFile, "", kNotAFile);
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
        throw Failure(kUnreadableFile, "", DescribeProblem(parser.Result(), parser.ProblemFile()));
    }
    return parser.Description();
}

DescriptionScan ReadDescribedMaps(FileSystem& files, const std::string& gameFolder, const CodePage& codePage) {
    DescriptionScan scan;
    const std::string folder = gameFolder + game::kDataFolder;
    const std::vector<FileSystem::FoundFile> found =
        files.FindPlainFilesWithShortNames(gameFolder + game::kDescriptionPattern);
    // Room for every file and the built-in maps that join them: the catalogue
    // is then allocated once, at the size it needs, and never moved.
    scan.maps.reserve(found.size() + BuiltInMaps().size());
    auto skip = [&scan](const std::string& fileName, const std::string& reason) {
        if (scan.named.size() < kNamedSkippedFiles) scan.named.push_back({fileName, reason});
        ++scan.skipped;
    };
    for (const FileSystem::FoundFile& file : found) {
        if (!HasDescriptionExtension(file.name)) continue;
        // A name the code page cannot spell reaches another file or none:
        // only the short name reaches this one.
        if (!file.spelled && file.shortName.empty()) {
            skip(file.name, kUnspelledName);
            continue;
        }
        const std::string& fileName = file.spelled ? file.name : file.shortName;
        MapDescription description;
        try {
            description = ReadMapDescription(files, folder + fileName, codePage, &file);
        } catch (const Failure& failure) {
            skip(fileName, failure.Description());
            continue;
        }
        scan.maps.push_back(MapEntry{std::move(description.name), fileName, std::move(description.gmp),
                                     std::move(description.sty), std::move(description.scr)});
    }
    return scan;
}

std::vector<MapEntry> SortedCatalogue(std::vector<MapEntry> describedMaps, const CodePage& codePage) {
    std::vector<MapEntry> rows = std::move(describedMaps);
    rows.insert(rows.end(), BuiltInMaps().begin(), BuiltInMaps().end());
    // Stable: a row goes in after every row that sorts equal to it, so the
    // whole list is known, in order, before the first row is shown. The
    // positions are sorted, not the rows, and the rows then moved into place
    // one cycle at a time: no second copy of a large catalogue.
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    {
        // Each name's key is made once, all of them in one buffer that goes
        // as soon as the order is known; sorting then only compares bytes.
        // A name the system can give no key is keyed by its own bytes: among
        // the system's keys its place means little, but it is the same at
        // every start, and the name is listed.
        std::string keys;
        std::vector<std::size_t> keyEnds(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!codePage.AppendSortKey(rows[i].name, keys)) keys += rows[i].name;
            keyEnds[i] = keys.size();
        }
        const std::string_view allKeys(keys);
        auto key = [&](std::size_t row) {
            const std::size_t begin = row == 0 ? 0 : keyEnds[row - 1];
            return allKeys.substr(begin, keyEnds[row] - begin);
        };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    }
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start) continue;
        MapEntry held = std::move(rows[start]);
        std::size_t at = start;
        while (order[at] != start) {
            const std::size_t from = order[at];
            rows[at] = std::move(rows[from]);
            order[at] = at;
            at = from;
        }
        rows[at] = std::move(held);
        order[at] = at;
    }
    return rows;
}

std::string DescribeSkippedFiles(const DescriptionScan& scan) {
    if (scan.skipped == 0 || scan.named.empty()) return std::string();
    if (scan.skipped == 1) {
        return "Could not read the map description file '" + scan.named[0].name + "': " + scan.named[0].reason;
    }
    std::string text = "Could not read " + std::to_string(scan.skipped) + " map description files: ";
    for (std::size_t i = 0; i < scan.named.size(); ++i) {
        if (i > 0) text += "; ";
        text += "'" + scan.named[i].name + "': " + scan.named[i].reason;
    }
    const std::size_t rest = static_cast<std::size_t>(scan.skipped) - scan.named.size();
    if (rest > 0) text += "; and " + std::to_string(rest) + " more";
    return text;
}
