#pragma once
// Reaching system functions that not every supported Windows has, or that
// only some commands need: looked up by name when first needed, from the
// system folder only.

#include <windows.h>

#include <string>

#include "windows/Handles.h"

// GetProcAddress gives a generic pointer; going through void(*)() is the
// sanctioned way to give it its real type.
template <typename Function>
Function AsFunction(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// A function by name from a system library the program imports anyway, so
// nothing is loaded; null where this Windows lacks it.
template <typename Function>
Function FindLoadedFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    return module ? AsFunction<Function>(GetProcAddress(module, name)) : nullptr;
}

template <typename Function>
Function FindKernelFunction(const char* name) {
    return FindLoadedFunction<Function>("kernel32.dll", name);
}

template <typename Function>
Function FindUserFunction(const char* name) {
    return FindLoadedFunction<Function>("user32.dll", name);
}

// Loads a library from the system folder and nowhere else; null on failure,
// with the reason left in GetLastError.
HMODULE LoadSystemLibrary(const std::string& name);

// Keeps the system's own on-demand library loads out of the program's folder
// and the current folder, where a downloaded DLL could be lying. Called
// first thing, before anything can load a library.
void RestrictLibrarySearchToSystemFolder();

// A system library loaded, from the system folder only, when one of its
// functions is first asked for, and let go with this object unless it is to
// stay until the process ends (libraries that may leave threads of their own
// running in their code). A library or function that cannot be found fails
// the call that asks for it, with a Failure that names it and carries
// `source`.
class OnDemandLibrary {
public:
    enum class Lifetime { UntilThisObjectGoes, UntilTheProcessEnds };

    OnDemandLibrary(std::string name, const char* source, Lifetime lifetime = Lifetime::UntilThisObjectGoes)
        : name_(std::move(name)), source_(source), lifetime_(lifetime) {}

    FARPROC Function(const char* function);

private:
    std::string name_;
    const char* source_;
    Lifetime lifetime_;
    HMODULE module_ = nullptr;
    UniqueLibrary owned_;  // empty for a library that stays
};
