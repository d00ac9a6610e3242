#pragma once
// Stand-in process table: processes with an executable path and a flag for
// whether this user may open them, the platform id the version query reports,
// records of every handle opened and closed and of every program started.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/ProcessApi.h"

class StandinProcesses : public ProcessApi {
public:
    struct Process {
        std::uint32_t id = 0;
        std::string path;     // full executable path, e.g. C:\Games\GTA2\gta2.exe
        bool canOpen = true;  // false: as a system process or another user's
        bool listsModules = true;
        // Opened for limited information even where canOpen is false (the
        // game run as administrator); false for a protected process.
        bool canOpenLimited = true;
        // false: GetModuleFileNameExA gives nothing, as for a process whose
        // loader has not yet recorded its program file.
        bool namesModule = true;
    };
    struct StartedProgram {
        std::string applicationPath;
        std::string commandLine;
        std::string currentFolder;
    };

    // Test set-up.
    std::uint32_t AddProcess(const std::string& path, bool canOpen = true, bool listsModules = true,
                             bool canOpenLimited = true);
    std::uint32_t AddProcess(Process process);  // its id is the one given out
    void RemoveProcess(std::uint32_t id);
    std::uint32_t platformId = 2;
    bool versionQueryFails = false;
    bool processStatusMissing = false;  // psapi cannot be loaded
    bool toolHelpMissing = false;
    // QueryFullProcessImageNameA and the limited-information right, as on
    // Windows XP.
    bool imageNameMissing = false;
    bool snapshotRefused = false;  // CreateToolhelp32Snapshot gives no snapshot
    std::int32_t startError = 0;   // the system's error number for a start; 0: it starts

    // What the code under test did.
    std::vector<StartedProgram> started;
    std::vector<std::uint32_t> enumBufferSizes;  // cb of every EnumProcesses call
    int OpenHandleCount() const { return static_cast<int>(openHandles_.size()); }
    int handlesOpened = 0;
    int snapshotsTaken = 0;
    int limitedOpensTried = 0;  // OpenProcess calls for limited information

    // ProcessApi
    bool GetVersionEx(std::uint32_t* platformId) override;
    ProcessHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
    bool Process32First(ProcessHandle snapshot, ProcessEntry32* entry) override;
    bool Process32Next(ProcessHandle snapshot, ProcessEntry32* entry) override;
    bool EnumProcesses(std::uint32_t* ids, std::uint32_t cb, std::uint32_t* bytesReturned) override;
    bool EnumProcessModules(ProcessHandle process, ModuleHandle* modules, std::uint32_t cb,
                            std::uint32_t* bytesNeeded) override;
    std::uint32_t GetModuleFileNameEx(ProcessHandle process, ModuleHandle module, char* fileName,
                                      std::uint32_t size) override;
    ProcessHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) override;
    bool HasQueryFullProcessImageName() override;
    bool QueryFullProcessImageName(ProcessHandle process, std::uint32_t flags, char* name,
                                   std::uint32_t* size) override;
    bool CloseHandle(ProcessHandle handle) override;
    void StartProgram(const std::string& applicationPath, const std::string& commandLine,
                      const std::string& currentFolder) override;

private:
    bool FillEntry(ProcessHandle snapshot, ProcessEntry32* entry);
    const Process* ProcessOf(ProcessHandle handle) const;

    std::vector<Process> processes_;
    std::uint32_t nextId_ = 4;
    ProcessHandle nextHandle_ = 0x100;
    std::set<ProcessHandle> openHandles_;
    // Handle -> process id for process handles; snapshot -> next entry index.
    std::vector<std::pair<ProcessHandle, std::uint32_t>> processHandles_;
    std::vector<std::pair<ProcessHandle, std::size_t>> snapshots_;
};
