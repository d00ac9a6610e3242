// Windows implementation of ProcessApi (platform/ProcessApi.h).

#include "windows/Win32Processes.h"

#include <tlhelp32.h>

#include <cstring>
#include <vector>

#include "platform/Failure.h"
#include "windows/SystemErrorText.h"
#include "windows/SystemLibrary.h"

namespace {

constexpr const char* kSource = "Processes";

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using ModuleFileNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using ImageNameFn = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);

template <typename Function>
Function As(FARPROC address) {
    return AsFunction<Function>(address);
}

HANDLE AsHandle(ProcessHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// Our record carries only the size, the id and the name. The system's record
// is filled from it and back, so that what an earlier entry left in the name
// field stays there, just as when one record is reused throughout. The size
// our record carries is the 32-bit program's; the system is told the size of
// the record it is really given, which a 64-bit build makes larger.
template <typename Walk>
bool WalkSnapshot(Walk walk, ProcessHandle snapshot, ProcessEntry32* entry) {
    PROCESSENTRY32 record;
    std::memset(&record, 0, sizeof record);
    record.dwSize = entry->dwSize == kProcessEntry32Size ? sizeof record : entry->dwSize;
    record.th32ProcessID = entry->th32ProcessID;
    std::memcpy(record.szExeFile, entry->szExeFile, sizeof record.szExeFile);
    BOOL ok = walk(AsHandle(snapshot), &record);
    entry->th32ProcessID = record.th32ProcessID;
    std::memcpy(entry->szExeFile, record.szExeFile, sizeof entry->szExeFile);
    return ok != FALSE;
}

}  // namespace

Win32Processes::Win32Processes(std::string toolHelpLibrary, std::string processStatusLibrary)
    : toolHelp_(std::move(toolHelpLibrary), kSource), processStatus_(std::move(processStatusLibrary), kSource) {}

bool Win32Processes::GetVersionEx(std::uint32_t* platformId) {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) return false;
    *platformId = info.dwPlatformId;
    return true;
}

ProcessHandle Win32Processes::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    if (!createSnapshot_) createSnapshot_ = toolHelp_.Function("CreateToolhelp32Snapshot");
    HANDLE snapshot = As<CreateSnapshotFn>(createSnapshot_)(flags, processId);
    return reinterpret_cast<ProcessHandle>(snapshot);
}

bool Win32Processes::Process32First(ProcessHandle snapshot, ProcessEntry32* entry) {
    if (!processFirst_) processFirst_ = toolHelp_.Function("Process32First");
    return WalkSnapshot(As<ProcessWalkFn>(processFirst_), snapshot, entry);
}

bool Win32Processes::Process32Next(ProcessHandle snapshot, ProcessEntry32* entry) {
    if (!processNext_) processNext_ = toolHelp_.Function("Process32Next");
    return WalkSnapshot(As<ProcessWalkFn>(processNext_), snapshot, entry);
}

bool Win32Processes::EnumProcesses(std::uint32_t* ids, std::uint32_t cb, std::uint32_t* bytesReturned) {
    if (!enumProcesses_) enumProcesses_ = processStatus_.Function("EnumProcesses");
    DWORD returned = 0;
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "process ids are 32-bit");
    BOOL ok = As<EnumProcessesFn>(enumProcesses_)(reinterpret_cast<DWORD*>(ids), cb, &returned);
    *bytesReturned = returned;
    return ok != FALSE;
}

bool Win32Processes::EnumProcessModules(ProcessHandle process, ModuleHandle* modules, std::uint32_t cb,
                                        std::uint32_t* bytesNeeded) {
    if (!enumModules_) enumModules_ = processStatus_.Function("EnumProcessModules");
    static_assert(sizeof(HMODULE) == sizeof(ModuleHandle), "module handles are pointer-sized");
    DWORD needed = 0;
    BOOL ok = As<EnumModulesFn>(enumModules_)(AsHandle(process), reinterpret_cast<HMODULE*>(modules), cb, &needed);
    *bytesNeeded = needed;
    return ok != FALSE;
}

std::uint32_t Win32Processes::GetModuleFileNameEx(ProcessHandle process, ModuleHandle module, char* fileName,
                                                  std::uint32_t size) {
    if (!moduleFileName_) moduleFileName_ = processStatus_.Function("GetModuleFileNameExA");
    return As<ModuleFileNameFn>(moduleFileName_)(AsHandle(process), reinterpret_cast<HMODULE>(module), fileName, size);
}

ProcessHandle Win32Processes::OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) {
    return reinterpret_cast<ProcessHandle>(::OpenProcess(access, inheritHandle ? TRUE : FALSE, processId));
}

bool Win32Processes::HasQueryFullProcessImageName() {
    if (!imageNameLookedUp_) {
        imageName_ = FindKernelFunction<ImageNameFn>("QueryFullProcessImageNameA");
        imageNameLookupError_ = imageName_ ? 0 : GetLastError();
        imageNameLookedUp_ = true;
    }
    return imageName_ != nullptr;
}

bool Win32Processes::QueryFullProcessImageName(ProcessHandle process, std::uint32_t flags, char* name,
                                               std::uint32_t* size) {
    if (!HasQueryFullProcessImageName()) {
        throw Failure(
            static_cast<std::int32_t>(imageNameLookupError_), kSource,
            "Cannot find QueryFullProcessImageNameA in kernel32.dll: " + SystemErrorText(imageNameLookupError_));
    }
    DWORD length = *size;
    BOOL ok = imageName_(AsHandle(process), flags, name, &length);
    *size = length;
    return ok != FALSE;
}

bool Win32Processes::CloseHandle(ProcessHandle handle) { return ::CloseHandle(AsHandle(handle)) != FALSE; }

void Win32Processes::StartProgram(const std::string& applicationPath, const std::string& commandLine,
                                  const std::string& currentFolder) {
    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started;
    std::memset(&started, 0, sizeof started);
    if (!CreateProcessA(applicationPath.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &started)) {
        DWORD error = GetLastError();
        throw Failure(static_cast<std::int32_t>(error), kSource, SystemErrorText(error));
    }
    // The launcher does not watch the game: let both handles go at once.
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
}
