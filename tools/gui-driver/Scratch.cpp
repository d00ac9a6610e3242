// Win32 implementation of the scratch folders and registry values of Scratch.h.

#include "Scratch.h"

#include <fstream>
#include <vector>

#include "GuiDriver.h"
#include "windows/Handles.h"
// First: it keeps the registry interface's member its plain name.
#include "windows/Win32Registry.h"

#include "tests/support/RegistryTestWorld.h"

namespace gui {
namespace {

// A wide "\\?\" path, which the system takes as it stands: a file named in
// a script the code page lacks can be named, and so can one named after a
// device ("COM1.mmp"), which a plain path would open as the port.
std::wstring Unparsed(const std::string& path) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    return std::wstring(L"\\\\?\\") + wide;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (search) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search.get(), &found));
    }
    search.reset();
    RemoveDirectoryW(folder.c_str());
}

void MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

constexpr REGSAM kView = KEY_WOW64_32KEY;

}  // namespace

ScratchFolder::ScratchFolder(const std::string& tag) {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    path_ = base + "\\" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    RemoveTree(Unparsed(path_));
    MakeFolders(path_);
    if (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throw DriverError("cannot create the scratch folder " + path_);
    }
}

ScratchFolder::~ScratchFolder() { RemoveTree(Unparsed(path_)); }

std::string ScratchFolder::operator/(const std::string& relative) const { return path_ + "\\" + relative; }

void ScratchFolder::Write(const std::string& relative, const std::string& content) {
    const std::string path = *this / relative;
    const size_t slash = path.rfind('\\');
    MakeFolders(path.substr(0, slash));
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out) throw DriverError("cannot write " + path);
}

void ScratchFolder::Remove(const std::string& relative) {
    const std::wstring path = Unparsed(*this / relative);
    if (!DeleteFileW(path.c_str())) RemoveTree(path);
}

void ScratchFolder::WriteUnder(const std::string& folder, const std::wstring& name, const std::string& content) {
    const std::wstring path = Unparsed(*this / folder) + L"\\" + name;
    UniqueFileHandle out(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!out || !WriteFile(out.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
        written != content.size()) {
        throw DriverError("cannot write a file in " + (*this / folder));
    }
}

std::string ScratchFolder::ShortName(const std::string& folder, const std::wstring& name) const {
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW((Unparsed(*this / folder) + L"\\" + name).c_str(), &found));
    if (!search) throw DriverError("no such file in " + (*this / folder));
    // 8.3 names are ASCII.
    std::string shortName;
    for (const wchar_t* c = found.cAlternateFileName; *c != L'\0'; ++c) shortName += static_cast<char>(*c);
    return shortName;
}

void ScratchFolder::MakeGameFolder(const std::string& gameExe) {
    Write("data\\attract\\attr1.rep", "attract");
    if (gameExe.empty()) {
        Write("gta2.exe");
    } else if (!CopyFileA(WindowsPath(gameExe).c_str(), (*this / "gta2.exe").c_str(), FALSE)) {
        throw DriverError("cannot copy " + gameExe + " as the game");
    }
}

std::optional<std::string> ReadRegistryText(HKEY root, const std::string& key, const std::string& name) {
    Win32RegistryApi api;
    const RawValue raw = ReadRawValue(api, static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(root)), key, name);
    if (raw.status != ERROR_SUCCESS) return std::nullopt;
    if (raw.type != REG_SZ && raw.type != REG_EXPAND_SZ) throw DriverError(name + " is not text");
    return raw.Text();
}

std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::string& key, const std::string& name) {
    UniqueHkey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | kView, opened.put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type != REG_DWORD) throw DriverError(name + " is not a 32-bit number");
    return value;
}

void WriteRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    UniqueHkey opened;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | kView, nullptr, opened.put(), nullptr) !=
        ERROR_SUCCESS) {
        throw DriverError("cannot create the key " + key);
    }
    if (RegSetValueExA(opened.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS) {
        throw DriverError("cannot write " + key + "\\" + name);
    }
}

void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
    UniqueHkey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE | kView, opened.put()) == ERROR_SUCCESS) {
        RegDeleteValueA(opened.get(), name.c_str());
    }
}

ScopedRegistryValue::ScopedRegistryValue(HKEY root, std::string key, std::string name,
                                         const std::optional<std::string>& text)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
    UniqueHkey opened;
    DWORD size = 0;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ | kView, opened.put()) == ERROR_SUCCESS &&
        RegQueryValueExA(opened.get(), name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        data_.assign(size, '\0');
        existed_ = RegQueryValueExA(opened.get(), name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(&data_[0]),
                                    &size) == ERROR_SUCCESS;
        data_.resize(size);
    }
    if (text) {
        WriteRegistryText(root_, key_, name_, *text);
    } else {
        DeleteRegistryValue(root_, key_, name_);
    }
}

ScopedRegistryValue::~ScopedRegistryValue() {
    if (!existed_) {
        DeleteRegistryValue(root_, key_, name_);
        return;
    }
    UniqueHkey opened;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE | kView, nullptr, opened.put(), nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(opened.get(), name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                       static_cast<DWORD>(data_.size()));
    }
}

ScopedLauncherSettings::ScopedLauncherSettings(const std::optional<std::string>& gameFolder) {
    saved_.push_back(std::make_unique<ScopedRegistryValue>(HKEY_CURRENT_USER, kSettingsKey, "GTA2Folder", gameFolder));
    for (const char* name : {"map_index", "map_file", "map_name"}) {
        saved_.push_back(std::make_unique<ScopedRegistryValue>(HKEY_CURRENT_USER, kSettingsKey, name, std::nullopt));
    }
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const char* name : {"mapname", "scriptName", "stylename", "skip_frontend"}) {
            saved_.push_back(std::make_unique<ScopedRegistryValue>(root, kDebugKey, name, std::nullopt));
        }
    }
}

ScopedLauncherSettings::~ScopedLauncherSettings() {
    while (!saved_.empty()) saved_.pop_back();
}

}  // namespace gui
