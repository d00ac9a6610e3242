// The start-up's phase notes (StartupPhases.h); compiled only when asked for.

#include "windows/StartupPhases.h"

#if BRINDLEWAY_STARTUP_PHASES

#include <windows.h>

#include <string>

#include "windows/Handles.h"

namespace {

std::string& Notes() {
    static std::string notes;
    return notes;
}

unsigned long long MicrosecondsSinceProcessCreation() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER from{}, to{};
    from.LowPart = created.dwLowDateTime;
    from.HighPart = created.dwHighDateTime;
    to.LowPart = now.dwLowDateTime;
    to.HighPart = now.dwHighDateTime;
    return (to.QuadPart - from.QuadPart) / 10;
}

}  // namespace

void MarkStartupPhase(const char* phase) {
    Notes() += std::string(phase) + "\t" + std::to_string(MicrosecondsSinceProcessCreation()) + "\n";
}

void WriteStartupPhases() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("BRINDLEWAY_STARTUP_PHASES", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    UniqueFileHandle file(
        CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string text = Notes() + "end\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

#endif
