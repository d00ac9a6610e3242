#pragma once
// Processes: the system's process lists, one member for each Win32 function
// the running-process test uses, and starting a program.
//
// The Tool Help and process-status functions are bound by name at their first
// call; when the library or function cannot be found the member throws
// Failure, which fails only the call that needed it.

#include <cstdint>
#include <string>

#include "platform/UniqueResource.h"

using ProcessHandle = std::uintptr_t;  // 0 is no handle
using ModuleHandle = std::uintptr_t;

inline constexpr ProcessHandle kInvalidHandleValue = static_cast<ProcessHandle>(-1);

// PROCESSENTRY32 (ANSI) as far as the program uses it; dwSize must be set to
// the size of the 32-bit program's record, kProcessEntry32Size, whatever the
// build: the adapter hands the system a record of the build's own size.
inline constexpr std::uint32_t kProcessEntry32Size = 296;
struct ProcessEntry32 {
    std::uint32_t dwSize = 0;
    std::uint32_t th32ProcessID = 0;
    char szExeFile[260] = {};
};

class ProcessApi {
public:
    virtual ~ProcessApi() = default;

    // GetVersionExA with an OSVERSIONINFOA of size 148: false when the call
    // fails; `platformId` receives dwPlatformId.
    virtual bool GetVersionEx(std::uint32_t* platformId) = 0;

    // Tool Help (kernel32). CreateToolhelp32Snapshot returns
    // kInvalidHandleValue when no snapshot is obtained.
    virtual ProcessHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) = 0;
    virtual bool Process32First(ProcessHandle snapshot, ProcessEntry32* entry) = 0;
    virtual bool Process32Next(ProcessHandle snapshot, ProcessEntry32* entry) = 0;

    // Process status (psapi).
    virtual bool EnumProcesses(std::uint32_t* ids, std::uint32_t cb, std::uint32_t* bytesReturned) = 0;
    virtual bool EnumProcessModules(ProcessHandle process, ModuleHandle* modules, std::uint32_t cb,
                                    std::uint32_t* bytesNeeded) = 0;
    virtual std::uint32_t GetModuleFileNameEx(ProcessHandle process, ModuleHandle module, char* fileName,
                                              std::uint32_t size) = 0;

    // kernel32. OpenProcess returns 0 when the process cannot be opened.
    virtual ProcessHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) = 0;
    // Whether kernel32 has QueryFullProcessImageNameA (Vista and later);
    // Windows XP has neither it nor the limited-information right it needs.
    virtual bool HasQueryFullProcessImageName() = 0;
    // QueryFullProcessImageNameA: `size` holds the buffer's length in
    // characters and receives the path's length. Throws Failure where the
    // function is missing.
    virtual bool QueryFullProcessImageName(ProcessHandle process, std::uint32_t flags, char* name,
                                           std::uint32_t* size) = 0;
    virtual bool CloseHandle(ProcessHandle handle) = 0;

    // Starts `applicationPath` with `commandLine` and `currentFolder` as its
    // current folder, in a normal activated window, without waiting for it.
    // Throws Failure when the program cannot be started.
    virtual void StartProgram(const std::string& applicationPath, const std::string& commandLine,
                              const std::string& currentFolder) = 0;
};

// Closes a process or snapshot handle through the service that gave it.
// `kNothing` is what the call that made the handle returns on failure: 0 for
// OpenProcess, kInvalidHandleValue for a snapshot.
template <ProcessHandle kNothing>
class ProcessHandleCloser {
public:
    // Not explicit: an owner is made straight from its service.
    ProcessHandleCloser(ProcessApi& api) : api_(&api) {}
    static constexpr ProcessHandle Invalid() noexcept { return kNothing; }
    void Close(ProcessHandle handle) const noexcept { api_->CloseHandle(handle); }

private:
    ProcessApi* api_;
};

using UniqueProcessHandle = UniqueResource<ProcessHandle, ProcessHandleCloser<0>>;
using UniqueSnapshotHandle = UniqueResource<ProcessHandle, ProcessHandleCloser<kInvalidHandleValue>>;
