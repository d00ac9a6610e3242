// The main window's four event handlers.

#include "launcher/frmLauncher.h"

#include <cctype>
#include <exception>
#include <limits>
#include <utility>

#include "launcher/GameFolder.h"
#include "launcher/GameInstallation.h"
#include "launcher/MapCatalogue.h"
#include "launcher/MapColumns.h"
#include "launcher/RememberedMap.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/ProcessApi.h"
#include "platform/RegistryApi.h"
#include "platform/UserMessages.h"
#include "system/modBrowse.h"
#include "system/modIsCheckProcess.h"
#include "system/modMisc.h"

namespace {

constexpr const char* kCaptionPrefix = "Orvo's Brindleway v0.3 - ";

// The list keeps its left and top place in the window; what the frame, the
// margins and the button row above it take is left out of the outer size.
constexpr int kListWidthAllowanceTwips = 350;
constexpr int kListHeightAllowanceTwips = 1500;

// The error numbers of a start without a usable selection: no row, or a row
// beyond what the 16-bit index holds.
constexpr std::int32_t kErrNothingSelected = 91;
constexpr std::int32_t kErrOverflow = 6;
// A row whose file names the list did not keep.
constexpr std::int32_t kErrNoFileName = 5;

constexpr int kNameColumn = ColumnOf(&MapEntry::name);

// A stored map_index as a row position: a whole number that fits the window's
// 16-bit field, without any other text around it than blanks. Anything else
// (or nothing) is no position.
bool ParseStoredPosition(const std::string& text, long& position) {
    std::size_t begin = text.find_first_not_of(' ');
    std::size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) return false;
    std::size_t i = begin;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    if (i > end) return false;
    long value = 0;
    for (; i <= end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        value = value * 10 + (text[i] - '0');
        if (value > 100000) return false;  // far outside the 16-bit range already
    }
    position = negative ? -value : value;
    return position >= std::numeric_limits<std::int16_t>::min() && position <= std::numeric_limits<std::int16_t>::max();
}

std::string DescriptionOf(const std::exception& error) {
    if (const auto* failure = dynamic_cast<const Failure*>(&error)) return failure->Description();
    return error.what();
}

// The system's own words for a game marked to run as administrator say only
// that elevation is needed. Starting it elevated through the shell is no way
// out: the elevated game would read the machine-wide debug key, which this
// program's writes never reach without those rights.
std::string LaunchFailureText(const std::exception& error) {
    constexpr std::int32_t kErrElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED
    const auto* failure = dynamic_cast<const Failure*>(&error);
    if (failure == nullptr || failure->Number() != kErrElevationRequired) return DescriptionOf(error);
    return std::string(game::kExecutable) + " is set to run as administrator. Start Brindleway as administrator too, " +
           "or clear that setting on " + game::kExecutable + ".";
}

bool StartsWithDriveLetter(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

frmLauncher::frmLauncher(LauncherView& view, Platform& platform) : view_(view), platform_(platform) {}

cRegistry& frmLauncher::Registry() {
    if (!registry_) registry_ = std::make_unique<cRegistry>(platform_.registry, platform_.executableName);
    return *registry_;
}

void frmLauncher::Form_Load() {
    try {
        cRegistry& registry = Registry();
        registry.ClassKey(kHkeyCurrentUser);
        registry.SectionKey(settings::kKeyAsFolderIsStored);
        registry.ValueKey(settings::kGameFolderValue);
        // Nothing stored means the current folder, and a relative folder is
        // taken from it now: a launch changes the current folder, and must
        // not then test one gta2.exe and start another.
        GameFolder = FullGameFolder(platform_.files, platform_.codePage, ToText(registry.Value()));

        if (!FileExists(platform_.files, GameFolder + game::kMarkerFile)) BrowseForGameFolder(platform_);

        view_.StartupStepDone("settings and folder test");
        view_.ApplyListOptions();
        for (const MapColumn& column : kMapColumns) view_.AddColumn(column.title, column.widthTwips);

        DescriptionScan scan = ReadDescribedMaps(platform_.files, GameFolder, platform_.codePage);
        const std::vector<MapEntry> rows = SortedCatalogue(std::move(scan.maps), platform_.codePage);
        view_.StartupStepDone("description files read");
        view_.AppendRows(rows);
        view_.StartupStepDone("rows inserted");

        RestoreMapSelection(rows);
        view_.SetCaption(kCaptionPrefix + view_.CellText(selectedIndex_, kNameColumn));
        view_.SetColumnTitle(kNameColumn, "Map name (" + std::to_string(view_.RowCount()) + ")");

        // Told only now, so that one bad file never hides the rest of the list.
        const std::string skipped = DescribeSkippedFiles(scan);
        if (!skipped.empty()) platform_.messages.ShowMessage("Error: " + skipped + " Line: 0");
    } catch (const std::exception& error) {
        platform_.messages.ShowMessage("Error: " + DescriptionOf(error) + " Line: 0");
    }
}

void frmLauncher::RestoreMapSelection(const std::vector<MapEntry>& rows) {
    cRegistry& registry = Registry();
    registry.ClassKey(kHkeyCurrentUser);
    registry.SectionKey(settings::kKeyAsIndexIsStored);
    view_.KeepSelectionVisibleWithoutFocus();

    // Searched in the rows kept here, not in the list: asking a list of
    // thousands of rows for each cell would hold up the start.
    const std::size_t found = FindRememberedRow(rows, ReadRememberedMap(registry), platform_.codePage);
    long position = 1;
    // A row found beyond what the 16-bit index holds is left to map_index.
    if (found >= 1 && found <= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        position = static_cast<long>(found);
    } else {
        registry.ValueKey(settings::kMapIndexValue);
        const TaggedValue stored = registry.Value();
        // A value that names no row (not a number, out of range, or a row
        // that has gone since it was stored) falls back to the first row.
        if (EqualsEmptyText(stored) || !ParseStoredPosition(ToText(stored), position) || position < 1 ||
            position > view_.RowCount()) {
            position = 1;
        }
    }
    selectedIndex_ = static_cast<std::int16_t>(position);
    view_.SelectRow(selectedIndex_);
    view_.ScrollRowIntoView(selectedIndex_);
}

void frmLauncher::Form_Resize() {
    // Each dimension on its own: a window too small for one of them (as when
    // minimized) leaves that one as it was.
    try {
        view_.SetListWidthTwips(view_.OuterWidthTwips() - kListWidthAllowanceTwips);
    } catch (const Failure&) {
    }
    try {
        view_.SetListHeightTwips(view_.OuterHeightTwips() - kListHeightAllowanceTwips);
    } catch (const Failure&) {
    }
}

void frmLauncher::lvMaps_ItemClick(int position) {
    view_.SetCaption(kCaptionPrefix + view_.CellText(position, kNameColumn));
}

void frmLauncher::cmdStart_Click() {
    if (IsProcessRunning(platform_.processes, platform_.messages, game::kExecutable)) {
        platform_.messages.ShowMessage("GTA2 is currently active.  Exit GTA2 and try again.");
        return;
    }
    try {
        const int selected = view_.SelectedRow();
        if (selected < 1) throw Failure(kErrNothingSelected, "", "No map is selected: choose a map in the list first");
        if (selected > std::numeric_limits<std::int16_t>::max()) {
            throw Failure(kErrOverflow, "",
                          "Overflow: the selected row " + std::to_string(selected) + " is beyond row 32767");
        }
        selectedIndex_ = static_cast<std::int16_t>(selected);

        // Read before anything is written: a row that lost a file name (its
        // cell refused, say, when memory ran out) must not send the game an
        // empty one, nor be remembered as the choice.
        const struct {
            std::string& kept;
            std::string MapEntry::*field;
            const char* kind;
        } files[] = {
            {gmpFile_, &MapEntry::gmp, "GMP"}, {styFile_, &MapEntry::sty, "STY"}, {scrFile_, &MapEntry::scr, "SCR"}};
        for (const auto& file : files) file.kept = view_.CellText(selectedIndex_, ColumnOf(file.field));
        for (const auto& file : files) {
            if (file.kept.empty()) {
                throw Failure(kErrNoFileName, "", std::string("The selected map names no ") + file.kind + " file");
            }
        }
        // What the map is, so that the next start finds it wherever its row
        // has moved by then.
        const std::string mapFile = view_.CellText(selectedIndex_, ColumnOf(&MapEntry::mmp));
        const std::string mapName = view_.CellText(selectedIndex_, kNameColumn);

        cRegistry& registry = Registry();
        registry.ClassKey(kHkeyCurrentUser);
        registry.SectionKey(settings::kKeyAsIndexIsStored);
        registry.ValueType(kRegSz);
        registry.ValueKey(settings::kMapIndexValue);
        registry.Value(TaggedValue(selectedIndex_));
        registry.ValueKey(settings::kMapFileValue);
        registry.Value(TaggedValue(mapFile));
        registry.ValueKey(settings::kMapNameValue);
        registry.Value(TaggedValue(mapName));

        for (std::int32_t root : {kHkeyLocalMachine, kHkeyCurrentUser}) {
            registry.ClassKey(root);
            registry.SectionKey(game::kDebugKey);
            registry.ValueType(kRegSz);
            registry.ValueKey(game::kMapNameValue);
            registry.Value(TaggedValue(gmpFile_));
            registry.ValueKey(game::kScriptNameValue);
            registry.Value(TaggedValue(scrFile_));
            registry.ValueKey(game::kStyleNameValue);
            registry.Value(TaggedValue(styFile_));
            registry.ValueType(kRegDword);
            registry.ValueKey(game::kSkipFrontendValue);
            registry.Value(TaggedValue(std::int16_t{0}));
        }

        // Full already after the start-up; made so again for a folder set
        // any other way, so that no gta2.exe is ever taken from elsewhere.
        GameFolder = FullGameFolder(platform_.files, platform_.codePage, GameFolder);
        const std::string executable = GameFolder + game::kExecutable;
        if (!FileExists(platform_.files, executable)) {
            platform_.messages.ShowMessage(executable + " not found!");
            return;
        }
        // A network folder (\\server\share\) has no drive to change to.
        if (StartsWithDriveLetter(GameFolder)) platform_.files.ChangeDrive(GameFolder[0]);
        platform_.files.ChangeFolder(GameFolder);
        // The full path as the program and a quoted command line: a folder
        // with blanks must never start some other program from its first word.
        platform_.processes.StartProgram(executable, "\"" + executable + "\"", GameFolder);
    } catch (const std::exception& error) {
        platform_.messages.ShowMessage("Error during 1 player test: " + LaunchFailureText(error) + " - Line: 0");
    }
}
