// Whether a program is running (modIsCheckProcess.h): the Tool Help snapshot
// on the Windows 95 family, the process-status functions on the NT family.

#include "system/modIsCheckProcess.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <exception>
#include <map>
#include <optional>
#include <vector>

#include "platform/Failure.h"
#include "platform/ProcessApi.h"
#include "platform/UserMessages.h"

namespace {

constexpr std::int32_t kPlatformWindows = 1;     // VER_PLATFORM_WIN32_WINDOWS
constexpr std::int32_t kPlatformNt = 2;          // VER_PLATFORM_WIN32_NT
constexpr std::uint32_t kSnapProcess = 2;        // TH32CS_SNAPPROCESS
constexpr std::uint32_t kQueryAndRead = 0x410;   // PROCESS_QUERY_INFORMATION | PROCESS_VM_READ
constexpr std::uint32_t kQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION
// Only the first module (the program file) is read; the list is offered
// 200 bytes, however many handles that holds on the platform.
constexpr std::uint32_t kModuleArrayBytes = 200;
constexpr std::uint32_t kModuleArrayLength = kModuleArrayBytes / sizeof(ModuleHandle);
// The id list starts at twice this many bytes and doubles while the system
// fills it to the brim.
constexpr std::uint32_t kIdListHalfStartBytes = 8;
// Any byte count at least the start size makes the first call happen.
constexpr std::uint32_t kIdListAssumedBytes = 96;
constexpr std::uint32_t kIdBytes = sizeof(std::uint32_t);
constexpr std::uint32_t kModulePathLength = 260;
// Room for any path the ANSI functions give; longer ones fail the query and
// fall through to the snapshot's file name.
constexpr std::uint32_t kImagePathLength = 1024;
constexpr const char* kSnapshotName = "GTA2.EXE";

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The Windows 95 family names only the file, and the caller's name is not
// consulted here: any process whose name contains the game's counts.
bool SearchSnapshot(ProcessApi& api) {
    UniqueSnapshotHandle snapshot(api.CreateToolhelp32Snapshot(kSnapProcess, 0), api);
    if (!snapshot) return false;

    ProcessEntry32 entry;
    entry.dwSize = kProcessEntry32Size;
    bool more = api.Process32First(snapshot.get(), &entry);
    while (more) {
        // The whole fixed field, terminator and leftovers of earlier entries
        // included: those leftovers never matched, and the zero after the
        // name keeps a match from spanning into them.
        std::string field(entry.szExeFile, sizeof(entry.szExeFile));
        if (Upper(StripLastChar(field)).find(kSnapshotName) != std::string::npos) return true;
        more = api.Process32Next(snapshot.get(), &entry);
    }
    return false;
}

std::vector<std::uint32_t> GatherProcessIds(ProcessApi& api) {
    std::uint32_t cb = kIdListHalfStartBytes;
    std::uint32_t returned = kIdListAssumedBytes;
    std::vector<std::uint32_t> ids;
    // A full buffer may have cut the list short, so grow until the system
    // hands back less than the buffer holds.
    while (cb <= returned) {
        cb *= 2;
        ids.assign(cb / kIdBytes, 0);
        if (!api.EnumProcesses(ids.data(), cb, &returned)) return {};
    }
    ids.resize(returned / kIdBytes);
    return ids;
}

// Nothing when the modules cannot be listed (a process whose loader has not
// yet run, Wine's own 64-bit services); empty when the program file has no
// name yet.
std::optional<std::string> ExecutablePathOf(ProcessApi& api, ProcessHandle process) {
    ModuleHandle modules[kModuleArrayLength] = {};
    std::uint32_t needed = 0;
    if (!api.EnumProcessModules(process, modules, kModuleArrayBytes, &needed)) return std::nullopt;
    char path[kModulePathLength] = {};
    std::uint32_t length = api.GetModuleFileNameEx(process, modules[0], path, kModulePathLength);
    return Lower(std::string(path, std::min(length, kModulePathLength)));
}

// Where the module list does not give a process's name (the game run as
// administrator refuses query and read access, another user's or a protected
// process too, and a game that is starting has no module list yet), the name
// is asked for in ways that need less: the limited query of Vista and later,
// else the Tool Help snapshot, which names the file only. Neither is the main
// road, so a missing function or a refused snapshot only leaves that name
// unknown.
class NameByLesserMeans {
public:
    explicit NameByLesserMeans(ProcessApi& api) : api_(api) {}

    // Through `opened` where the process is already open for query and read
    // access, which includes the limited query; otherwise opened for just
    // that. Nothing where the query is missing (Windows XP, which does not
    // know the right either, so the process is not even asked).
    std::optional<std::string> FullImagePath(ProcessHandle opened, std::uint32_t id) {
        if (!limitedQuery_) limitedQuery_ = api_.HasQueryFullProcessImageName();
        if (!*limitedQuery_) return std::nullopt;
        if (opened != 0) return Query(opened);
        UniqueProcessHandle process(api_.OpenProcess(kQueryLimited, false, id), api_);
        if (!process) return std::nullopt;
        return Query(process.get());
    }

    std::optional<std::string> SnapshotName(std::uint32_t id) {
        if (!snapshotNames_) snapshotNames_ = SnapshotNames();
        auto found = snapshotNames_->find(id);
        if (found == snapshotNames_->end()) return std::nullopt;
        return Lower(found->second);
    }

private:
    std::optional<std::string> Query(ProcessHandle process) {
        std::string path(kImagePathLength, '\0');
        std::uint32_t size = kImagePathLength;
        try {
            if (!api_.QueryFullProcessImageName(process, 0, path.data(), &size)) return std::nullopt;
        } catch (const Failure&) {
            limitedQuery_ = false;  // found and then lost: no need to ask again
            return std::nullopt;
        }
        path.resize(std::min(size, kImagePathLength));
        return Lower(path);
    }

    // One snapshot per search, read whole and let go at once, so that no more
    // than one handle is ever held.
    std::map<std::uint32_t, std::string> SnapshotNames() {
        std::map<std::uint32_t, std::string> names;
        try {
            UniqueSnapshotHandle snapshot(api_.CreateToolhelp32Snapshot(kSnapProcess, 0), api_);
            if (!snapshot) return names;
            ProcessEntry32 entry;
            entry.dwSize = kProcessEntry32Size;
            for (bool more = api_.Process32First(snapshot.get(), &entry); more;
                 more = api_.Process32Next(snapshot.get(), &entry)) {
                names[entry.th32ProcessID] = std::string(entry.szExeFile, FieldLength(entry.szExeFile));
            }
        } catch (const Failure&) {
            // What was read before the failure still names those processes.
        }
        return names;
    }

    static std::size_t FieldLength(const char (&field)[260]) {
        std::size_t length = 0;
        while (length < sizeof field && field[length] != '\0') ++length;
        return length;
    }

    ProcessApi& api_;
    std::optional<bool> limitedQuery_;
    std::optional<std::map<std::uint32_t, std::string>> snapshotNames_;
};

bool EndsIn(const std::string& path, const std::string& wanted) {
    std::string ending = path.size() > wanted.size() ? path.substr(path.size() - wanted.size()) : path;
    return ending == wanted;
}

bool Named(const std::optional<std::string>& path) { return path && !path->empty(); }

// The NT family names the full path: a process counts when its path ends in
// the caller's name, in any letter case.
bool SearchProcessStatus(ProcessApi& api, const std::string& exeName) {
    const std::string wanted = Lower(exeName);
    // An empty name counts only at a process whose modules this road lists;
    // any name that the lesser means give would end in it.
    const bool byLesserMeans = !wanted.empty();
    NameByLesserMeans lesser(api);
    for (std::uint32_t id : GatherProcessIds(api)) {
        std::optional<std::string> found;
        {
            UniqueProcessHandle process(api.OpenProcess(kQueryAndRead, false, id), api);
            if (process) found = ExecutablePathOf(api, process.get());
            if (byLesserMeans && !Named(found)) found = lesser.FullImagePath(process.get(), id);
        }
        // Taken with the process handle closed, which keeps one handle at most.
        if (byLesserMeans && !Named(found)) found = lesser.SnapshotName(id);
        if (found && EndsIn(*found, wanted)) return true;
    }
    return false;
}

}  // namespace

bool IsProcessRunning(ProcessApi& processes, UserMessages& messages, const std::string& exeName) {
    try {
        switch (GetPlatformId(processes)) {
            case kPlatformWindows:
                return SearchSnapshot(processes);
            case kPlatformNt:
                return SearchProcessStatus(processes, exeName);
            default:
                return false;
        }
    } catch (const Failure& failure) {
        messages.ShowMessage("Error searching for GTA2 in the process list: " + failure.Description());
    } catch (const std::exception& error) {
        messages.ShowMessage(std::string("Error searching for GTA2 in the process list: ") + error.what());
    }
    return false;
}

std::int32_t GetPlatformId(ProcessApi& processes) {
    std::uint32_t platformId = 0;
    if (!processes.GetVersionEx(&platformId)) return 0;
    return static_cast<std::int32_t>(platformId);
}

std::string StripLastChar(const std::string& text) { return text.empty() ? text : text.substr(0, text.size() - 1); }
