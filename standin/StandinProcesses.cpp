// Stand-in implementation of ProcessApi (platform/ProcessApi.h).

#include "standin/StandinProcesses.h"

#include <algorithm>
#include <cstring>

#include "platform/Failure.h"

std::uint32_t StandinProcesses::AddProcess(const std::string& path, bool canOpen, bool listsModules,
                                           bool canOpenLimited) {
    Process process;
    process.path = path;
    process.canOpen = canOpen;
    process.listsModules = listsModules;
    process.canOpenLimited = canOpenLimited;
    return AddProcess(process);
}

std::uint32_t StandinProcesses::AddProcess(Process process) {
    process.id = nextId_;
    nextId_ += 4;  // Windows process ids are multiples of four
    processes_.push_back(process);
    return process.id;
}

void StandinProcesses::RemoveProcess(std::uint32_t id) {
    processes_.erase(
        std::remove_if(processes_.begin(), processes_.end(), [id](const Process& p) { return p.id == id; }),
        processes_.end());
}

bool StandinProcesses::GetVersionEx(std::uint32_t* id) {
    if (versionQueryFails) return false;
    *id = platformId;
    return true;
}

ProcessHandle StandinProcesses::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t) {
    if (toolHelpMissing) throw Failure(453, "", "Can't find DLL entry point CreateToolhelp32Snapshot in kernel32");
    if ((flags & 2u) == 0 || snapshotRefused) return kInvalidHandleValue;
    ProcessHandle handle = nextHandle_++;
    openHandles_.insert(handle);
    ++handlesOpened;
    ++snapshotsTaken;
    snapshots_.emplace_back(handle, 0);
    return handle;
}

bool StandinProcesses::FillEntry(ProcessHandle snapshot, ProcessEntry32* entry) {
    auto found =
        std::find_if(snapshots_.begin(), snapshots_.end(), [snapshot](const auto& s) { return s.first == snapshot; });
    if (found == snapshots_.end() || entry->dwSize != kProcessEntry32Size) return false;
    if (found->second >= processes_.size()) return false;
    const Process& process = processes_[found->second++];
    entry->th32ProcessID = process.id;
    const std::string& path = process.path;
    std::string name = path.substr(path.rfind('\\') == std::string::npos ? 0 : path.rfind('\\') + 1);
    // Like the real call, only the name and its terminator are written: the
    // rest of the field keeps what earlier entries left there.
    std::size_t count = std::min(name.size(), sizeof(entry->szExeFile) - 1);
    std::memcpy(entry->szExeFile, name.data(), count);
    entry->szExeFile[count] = '\0';
    return true;
}

bool StandinProcesses::Process32First(ProcessHandle snapshot, ProcessEntry32* entry) {
    auto found =
        std::find_if(snapshots_.begin(), snapshots_.end(), [snapshot](const auto& s) { return s.first == snapshot; });
    if (found != snapshots_.end()) found->second = 0;
    return FillEntry(snapshot, entry);
}

bool StandinProcesses::Process32Next(ProcessHandle snapshot, ProcessEntry32* entry) {
    return FillEntry(snapshot, entry);
}

bool StandinProcesses::EnumProcesses(std::uint32_t* ids, std::uint32_t cb, std::uint32_t* bytesReturned) {
    if (processStatusMissing) throw Failure(48, "", "Error in loading DLL psapi.dll");
    enumBufferSizes.push_back(cb);
    std::uint32_t count = std::min<std::uint32_t>(cb / 4, static_cast<std::uint32_t>(processes_.size()));
    for (std::uint32_t i = 0; i < count; ++i) ids[i] = processes_[i].id;
    *bytesReturned = count * 4;
    return true;
}

ProcessHandle StandinProcesses::OpenProcess(std::uint32_t access, bool, std::uint32_t processId) {
    auto found =
        std::find_if(processes_.begin(), processes_.end(), [processId](const Process& p) { return p.id == processId; });
    if (access == 0x1000u) ++limitedOpensTried;
    if (found == processes_.end()) return 0;
    // Query and read (0x410) or limited information (0x1000), not both; XP
    // refuses the right it does not know.
    bool allowed =
        access == 0x1000u ? found->canOpenLimited && !imageNameMissing : found->canOpen && (access & ~0x410u) == 0;
    if (!allowed) return 0;
    ProcessHandle handle = nextHandle_++;
    openHandles_.insert(handle);
    ++handlesOpened;
    processHandles_.emplace_back(handle, processId);
    return handle;
}

bool StandinProcesses::EnumProcessModules(ProcessHandle process, ModuleHandle* modules, std::uint32_t cb,
                                          std::uint32_t* bytesNeeded) {
    if (processStatusMissing) throw Failure(48, "", "Error in loading DLL psapi.dll");
    auto handle = std::find_if(processHandles_.begin(), processHandles_.end(),
                               [process](const auto& h) { return h.first == process; });
    if (handle == processHandles_.end() || !openHandles_.count(process)) return false;
    auto found =
        std::find_if(processes_.begin(), processes_.end(), [&](const Process& p) { return p.id == handle->second; });
    if (found == processes_.end() || !found->listsModules) return false;
    if (cb >= sizeof(ModuleHandle)) modules[0] = 0x400000 + handle->second;
    *bytesNeeded = sizeof(ModuleHandle);
    return true;
}

std::uint32_t StandinProcesses::GetModuleFileNameEx(ProcessHandle process, ModuleHandle, char* fileName,
                                                    std::uint32_t size) {
    if (processStatusMissing) throw Failure(48, "", "Error in loading DLL psapi.dll");
    auto handle = std::find_if(processHandles_.begin(), processHandles_.end(),
                               [process](const auto& h) { return h.first == process; });
    if (handle == processHandles_.end() || size == 0) return 0;
    auto found =
        std::find_if(processes_.begin(), processes_.end(), [&](const Process& p) { return p.id == handle->second; });
    if (found == processes_.end() || !found->namesModule) return 0;
    std::uint32_t count = std::min<std::uint32_t>(size - 1, static_cast<std::uint32_t>(found->path.size()));
    std::memcpy(fileName, found->path.data(), count);
    fileName[count] = '\0';
    return count;
}

const StandinProcesses::Process* StandinProcesses::ProcessOf(ProcessHandle handle) const {
    auto opened = std::find_if(processHandles_.begin(), processHandles_.end(),
                               [handle](const auto& h) { return h.first == handle; });
    if (opened == processHandles_.end()) return nullptr;
    auto found =
        std::find_if(processes_.begin(), processes_.end(), [&](const Process& p) { return p.id == opened->second; });
    return found == processes_.end() ? nullptr : &*found;
}

bool StandinProcesses::HasQueryFullProcessImageName() { return !imageNameMissing; }

bool StandinProcesses::QueryFullProcessImageName(ProcessHandle process, std::uint32_t flags, char* name,
                                                 std::uint32_t* size) {
    if (imageNameMissing) throw Failure(127, "", "Cannot find QueryFullProcessImageNameA in kernel32.dll");
    const Process* found = ProcessOf(process);
    if (found == nullptr || flags != 0 || found->path.size() >= *size) return false;
    std::memcpy(name, found->path.c_str(), found->path.size() + 1);
    *size = static_cast<std::uint32_t>(found->path.size());
    return true;
}

bool StandinProcesses::CloseHandle(ProcessHandle handle) {
    if (!openHandles_.erase(handle)) return false;
    processHandles_.erase(std::remove_if(processHandles_.begin(), processHandles_.end(),
                                         [handle](const auto& h) { return h.first == handle; }),
                          processHandles_.end());
    snapshots_.erase(
        std::remove_if(snapshots_.begin(), snapshots_.end(), [handle](const auto& s) { return s.first == handle; }),
        snapshots_.end());
    return true;
}

void StandinProcesses::StartProgram(const std::string& applicationPath, const std::string& commandLine,
                                    const std::string& currentFolder) {
    if (startError == 2) throw Failure(startError, "", "The system cannot find the file specified.");
    if (startError == 740) throw Failure(startError, "", "The requested operation requires elevation.");
    if (startError != 0) throw Failure(startError, "", "Error " + std::to_string(startError));
    started.push_back({applicationPath, commandLine, currentFolder});
}
