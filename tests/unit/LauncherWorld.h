#pragma once
// The launcher window's logic on the stand-in platform: an in-memory
// registry (whose writes are also logged, in order), files, processes, folder
// dialog and message boxes, and a headless window. A world is a plain value:
// a table row makes one of its own; LauncherTest gives each test one.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "launcher/GameFolder.h"
#include "launcher/frmLauncher.h"
#include "platform/Platform.h"
#include "registry/cRegistry.h"
#include "standin/HeadlessView.h"
#include "standin/MemoryRegistry.h"
#include "standin/RecordingMessages.h"
#include "standin/ScriptedFolderDialog.h"
#include "standin/StandinCodePage.h"
#include "standin/StandinFileSystem.h"
#include "standin/StandinProcesses.h"
#include "support/RegistryTestWorld.h"

// Passes everything to a MemoryRegistry and notes each value written as
// "<root>|<key>|<name>|<type>|<data>", the root as HKLM or HKCU.
class LoggingRegistry : public MemoryRegistry {
public:
    long CreateKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) override {
        long status = MemoryRegistry::CreateKeyEx(key, subKey, access, result);
        if (status == 0) {
            std::string root = key == RootKey(kHkeyLocalMachine)  ? "HKLM"
                               : key == RootKey(kHkeyCurrentUser) ? "HKCU"
                                                                  : "?";
            keys_[*result] = root + "|" + subKey;
        }
        return status;
    }
    long SetValueEx(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override {
        long status = MemoryRegistry::SetValueEx(key, name, type, data, size);
        if (status == 0) {
            std::string shown;
            if (type == 4 && size == 4) {
                shown = std::to_string(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24);
            } else {
                shown.assign(reinterpret_cast<const char*>(data), size ? size - 1 : 0);
            }
            writes.push_back(keys_[key] + "|" + name + "|" + std::to_string(type) + "|" + shown);
        }
        return status;
    }

    std::vector<std::string> writes;

private:
    std::map<RegKey, std::string> keys_;
};

inline constexpr const char* kGame = "C:\\Games\\GTA2\\";

// A description file as the game's map makers write them.
inline std::string DescriptionFile(const std::string& name, const std::string& base) {
    return "[MapFiles]\r\nGMPFile = " + base + ".gmp\r\nSTYFile = " + base + ".sty\r\nSCRFile = " + base +
           ".scr\r\nDescription = " + name + "\r\nPlayerCount = 6\r\n";
}

// The game folder is the program's one global: each world starts and ends
// without one.
struct LauncherWorld {
    explicit LauncherWorld(const CodePage& codePage = Western1252())
        : platform{registry, files, processes, folderDialog, messages, "Brindleway", codePage} {
        GameFolder.clear();
    }
    ~LauncherWorld() { GameFolder.clear(); }
    LauncherWorld(const LauncherWorld&) = delete;
    LauncherWorld& operator=(const LauncherWorld&) = delete;

    // A folder holding the game: its marker file and its executable.
    void InstallGame(const std::string& folder = kGame) {
        files.AddFile(folder + "data\\attract\\attr1.rep", "");
        files.AddFile(folder + "gta2.exe", "MZ");
    }
    void AddMap(const std::string& fileName, const std::string& name, const std::string& base,
                const std::string& folder = kGame) {
        files.AddFile(folder + "data\\" + fileName, DescriptionFile(name, base));
    }

    static void Store(RegistryApi& into, const std::string& key, const std::string& name, const TaggedValue& value) {
        cRegistry settings(into, "Test");
        settings.ClassKey(kHkeyCurrentUser);
        settings.SectionKey(key);
        settings.ValueType(1);
        settings.ValueKey(name);
        settings.Value(value);
    }
    void Store(const std::string& key, const std::string& name, const TaggedValue& value) {
        Store(registry, key, name, value);
    }
    static void StoreGameFolder(RegistryApi& into, const std::string& folder) {
        Store(into, "SOFTWARE\\Lanternhall", "GTA2Folder", folder);
    }
    void StoreGameFolder(const std::string& folder) { StoreGameFolder(registry, folder); }
    void StoreMapIndex(const std::string& text) { Store("software\\Lanternhall", "map_index", text); }
    // Text stored as `type` whatever it holds, as another program may store it.
    void StoreSetting(const std::string& name, const std::string& text, std::uint32_t type) {
        UniqueKey key(registry);
        registry.CreateKeyEx(RootKey(kHkeyCurrentUser), "software\\Lanternhall", kKeyAllKeyRights, key.put());
        const auto* data = reinterpret_cast<const std::uint8_t*>(text.c_str());
        EXPECT_EQ(registry.SetValueEx(key.get(), name, type, data, static_cast<std::uint32_t>(text.size() + 1)), 0);
    }
    // The text stored, read without the accessor; nothing where none is.
    std::optional<std::string> Stored(std::int32_t root, const std::string& key, const std::string& name) {
        return ReadRawValue(registry, root, key, name).Text();
    }
    // The start-up with the game installed and its folder stored.
    void LoadWithGame() {
        InstallGame();
        StoreGameFolder(kGame);
        form.Form_Load();
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const MapEntry& row : view.Rows()) names.push_back(row.name);
        return names;
    }

    LoggingRegistry registry;
    StandinFileSystem files;
    StandinProcesses processes;
    ScriptedFolderDialog folderDialog;
    RecordingMessages messages;
    Platform platform;
    HeadlessView view;
    frmLauncher form{view, platform};
};

class LauncherTest : public ::testing::Test, public LauncherWorld {};
