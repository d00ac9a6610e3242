#pragma once
// Scratch state for the end-to-end tests: a throw-away folder (a stand-in
// game folder, typically) and registry values that are put back as they were
// when the test ends, because every test of one build shares a Wine prefix.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gui {

class ScratchFolder {
public:
    // Creates %TEMP%\<tag>-<process id>-<counter>.
    explicit ScratchFolder(const std::string& tag = "brindleway");
    // Removes the folder and everything in it (best effort: a file still in
    // use by a running program stays).
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const;
    // Writes a file (creating its folders); `relative` uses backslashes.
    void Write(const std::string& relative, const std::string& content = std::string());
    void Remove(const std::string& relative);
    // Writes `name` in the existing folder `folder` (relative, backslashes)
    // by a path the system takes as it stands: a name the ANSI code page
    // lacks letters for ("Łódź.mmp"), or a device's ("COM1.mmp"), names a
    // file there. The clean-up removes such files too.
    void WriteUnder(const std::string& folder, const std::wstring& name, const std::string& content);
    // The short name of `name` in `folder`; empty where the volume keeps none.
    std::string ShortName(const std::string& folder, const std::wstring& name) const;

    // The two files that make a folder a game folder to the launcher:
    // data\attract\attr1.rep and gta2.exe (a copy of `gameExe` when given,
    // else an empty file).
    void MakeGameFolder(const std::string& gameExe = std::string());

private:
    std::string path_;
};

// Registry access in the 32-bit view, the one the program sees.
std::optional<std::string> ReadRegistryText(HKEY root, const std::string& key, const std::string& name);
std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::string& key, const std::string& name);
void WriteRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& value);
void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name);

// Sets (or, with nullopt, deletes) one value for the life of the object and
// then restores the value and type it had before, or deletes it again.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(HKEY root, std::string key, std::string name, const std::optional<std::string>& text);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

private:
    HKEY root_;
    std::string key_;
    std::string name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::string data_;
};

// Every registry value a run of the launcher may read or write, set for the
// life of the object and then put back: the stored game folder (`gameFolder`,
// or none with nullopt), no stored row, and no debug values for the game
// under either root. Each test then starts from the same settings however
// the one before it ended.
class ScopedLauncherSettings {
public:
    explicit ScopedLauncherSettings(const std::optional<std::string>& gameFolder);
    ~ScopedLauncherSettings();
    ScopedLauncherSettings(const ScopedLauncherSettings&) = delete;
    ScopedLauncherSettings& operator=(const ScopedLauncherSettings&) = delete;

    static constexpr const char* kSettingsKey = "Software\\Lanternhall";
    static constexpr const char* kDebugKey = "Software\\dma design ltd\\gta2\\Debug";

private:
    // Put back last first, as nested scopes would.
    std::vector<std::unique_ptr<ScopedRegistryValue>> saved_;
};

}  // namespace gui
