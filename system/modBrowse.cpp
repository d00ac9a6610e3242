// Asking the user where the game is installed (modBrowse.h).

#include "system/modBrowse.h"

#include <exception>
#include <optional>

#include "launcher/GameFolder.h"
#include "launcher/GameInstallation.h"
#include "platform/Failure.h"
#include "platform/FolderDialog.h"
#include "platform/Platform.h"
#include "platform/RegistryApi.h"
#include "platform/UserMessages.h"
#include "registry/cRegistry.h"
#include "system/modMisc.h"

namespace {

// The accessor lives only for the one write, so it is made here and dropped
// on return.
void SaveGameFolder(Platform& platform, const std::string& folder) {
    cRegistry registry(platform.registry, platform.executableName);
    registry.ClassKey(kHkeyCurrentUser);
    registry.SectionKey(settings::kKeyAsFolderIsStored);
    registry.ValueKey(settings::kGameFolderValue);
    registry.ValueType(kRegSz);
    registry.Value(TaggedValue(folder));
}

}  // namespace

void BrowseForGameFolder(Platform& platform) {
    const std::string onEntry = GameFolder;
    try {
        for (;;) {
            std::optional<FolderPick> pick = platform.folderDialog.Browse(kBrowseTitle, kBrowseFlags);
            if (!pick) return;
            // The user would otherwise see the same dialog again with no
            // idea why the folder was turned down.
            if (pick->pathNotInCodePage) platform.messages.ShowMessage(kPathNotInCodePageText);

            std::string path;
            if (pick->hasPath) {
                path = WithTrailingBackslash(pick->path, platform.codePage);
                // Holds the pick while it is tested; a failure from here on
                // leaves it there, as the folder this run then uses.
                GameFolder = path;
            }

            // Both files are looked for, whatever the first answer was.
            bool hasMarker = FileExists(platform.files, path + game::kMarkerFile);
            bool hasExecutable = FileExists(platform.files, path + game::kExecutableAsPicked);
            if (pick->hasPath && hasMarker && hasExecutable) {
                SaveGameFolder(platform, GameFolder);
                return;
            }

            // A wrong pick leaves no trace; the user is simply asked again.
            GameFolder = onEntry;
        }
    } catch (const Failure& failure) {
        platform.messages.ShowMessage(failure.Description());
    } catch (const std::exception& error) {
        platform.messages.ShowMessage(error.what());
    }
}
