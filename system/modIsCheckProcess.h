#pragma once
// Whether a program is running.

#include <cstdint>
#include <string>

class ProcessApi;
class UserMessages;

// True when a running process matches `exeName` by the rules of the platform's
// road; false when none does, on an unknown platform, and after a failure,
// which it reports in its own message box.
bool IsProcessRunning(ProcessApi& processes, UserMessages& messages, const std::string& exeName);

// The dwPlatformId that GetVersionExA reports; 0 when the call fails.
std::int32_t GetPlatformId(ProcessApi& processes);

// The argument less its final character.
std::string StripLastChar(const std::string& text);
