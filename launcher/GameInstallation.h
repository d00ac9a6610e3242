#pragma once
// What the launcher relies on of the game's installation: its folder layout,
// file names, and the registry keys and values it reads and writes. Every
// other file takes these names from here.

#include <string>

namespace game {

// Paths relative to the game folder, which ends in a backslash.
inline constexpr const char* kExecutable = "gta2.exe";                  // tested and started at a launch
inline constexpr const char* kExecutableAsPicked = "GTA2.exe";          // tested by the folder picker
inline constexpr const char* kMarkerFile = "data\\attract\\attr1.rep";  // a folder holding it is the game folder
inline constexpr const char* kDataFolder = "data\\";
inline constexpr const char* kDescriptionPattern = "data\\*.mmp";

// The game's debug settings, written under both the machine and the user root.
inline constexpr const char* kDebugKey = "software\\dma design ltd\\gta2\\Debug\\";
inline constexpr const char* kMapNameValue = "mapname";
inline constexpr const char* kScriptNameValue = "scriptName";
inline constexpr const char* kStyleNameValue = "stylename";
inline constexpr const char* kSkipFrontendValue = "skip_frontend";

}  // namespace game

namespace settings {

// The launcher's own settings key under HKEY_CURRENT_USER. The start-up spells
// it both ways; key names do not depend on case.
inline constexpr const char* kKeyAsFolderIsStored = "SOFTWARE\\Lanternhall";
inline constexpr const char* kKeyAsIndexIsStored = "software\\Lanternhall";
inline constexpr const char* kGameFolderValue = "GTA2Folder";
inline constexpr const char* kMapIndexValue = "map_index";
// What the launched row was, besides where it stood: its MMP cell (empty for
// a built-in map) and its name.
inline constexpr const char* kMapFileValue = "map_file";
inline constexpr const char* kMapNameValue = "map_name";

}  // namespace settings
