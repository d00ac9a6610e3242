// Looking up system functions by name (SystemLibrary.h).

#include "windows/SystemLibrary.h"

#include <cstdint>

#include "platform/Failure.h"
#include "windows/SystemErrorText.h"

HMODULE LoadSystemLibrary(const std::string& name) {
    HMODULE module = LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // Systems without the search flags refuse it as an invalid parameter;
    // naming the full path keeps the search out of the program's folder
    // and the current folder there too.
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::string path = std::string(folder, length) + "\\" + name;
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictLibrarySearchToSystemFolder() {
    // Windows 8, and 7 or Vista with the 2010 loader update.
    using SetDefaultDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDirectories = FindKernelFunction<SetDefaultDirectoriesFn>("SetDefaultDllDirectories");
    if (setDefaultDirectories && setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // Older systems can at least take the current folder out of the search;
    // the program's own folder stays in it there.
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
    const auto setDllDirectory = FindKernelFunction<SetDllDirectoryFn>("SetDllDirectoryA");
    if (setDllDirectory) setDllDirectory("");
}

FARPROC OnDemandLibrary::Function(const char* function) {
    if (module_ == nullptr) {
        module_ = LoadSystemLibrary(name_);
        if (module_ == nullptr) {
            DWORD error = GetLastError();
            throw Failure(static_cast<std::int32_t>(error), source_,
                          "Cannot load " + name_ + ": " + SystemErrorText(error));
        }
        if (lifetime_ == Lifetime::UntilThisObjectGoes) owned_.reset(module_);
    }
    FARPROC address = GetProcAddress(module_, function);
    if (address == nullptr) {
        DWORD error = GetLastError();
        throw Failure(static_cast<std::int32_t>(error), source_,
                      "Cannot find " + std::string(function) + " in " + name_ + ": " + SystemErrorText(error));
    }
    return address;
}
