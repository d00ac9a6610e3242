#pragma once
// Windows implementation of ProcessApi (platform/ProcessApi.h). The Tool Help
// and process-status functions are looked up by name on first use, from the
// system folder only, so that a missing library or function fails just the
// call that needs it and no copy planted beside the program is ever loaded.

#include <windows.h>

#include <string>

// windows.h turns GetVersionEx into GetVersionExA (and the same for the
// image name query), which would rename our members in files that see the
// header and not in the others.
#undef GetVersionEx
#undef QueryFullProcessImageName

#include "platform/ProcessApi.h"
#include "windows/Handles.h"
#include "windows/SystemLibrary.h"

class Win32Processes : public ProcessApi {
public:
    // The library names can be changed so that tests can make one go missing.
    explicit Win32Processes(std::string toolHelpLibrary = "kernel32.dll",
                            std::string processStatusLibrary = "psapi.dll");

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
    OnDemandLibrary toolHelp_;
    OnDemandLibrary processStatus_;
    FARPROC createSnapshot_ = nullptr;
    FARPROC processFirst_ = nullptr;
    FARPROC processNext_ = nullptr;
    FARPROC enumProcesses_ = nullptr;
    FARPROC enumModules_ = nullptr;
    FARPROC moduleFileName_ = nullptr;
    BOOL(WINAPI* imageName_)(HANDLE, DWORD, LPSTR, PDWORD) = nullptr;
    bool imageNameLookedUp_ = false;
    DWORD imageNameLookupError_ = 0;
};
