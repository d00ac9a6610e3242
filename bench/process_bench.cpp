// How long the running-process test takes: natively over a stand-in list of
// 300 processes, and on Windows (or Wine) over the real process list.
// Prints figures; it checks nothing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/RegistryApi.h"
#include "platform/standin/RecordingMessages.h"
#include "platform/standin/ScriptedFolderDialog.h"
#include "system/modIsCheckProcess.h"

#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
// windows.h would rename the member below to its A form.
#undef ExpandEnvironmentStrings
#else
#include "platform/standin/MemoryRegistry.h"
#include "platform/standin/StandinFileSystem.h"
#include "platform/standin/StandinProcesses.h"
#endif

namespace {

#ifdef _WIN32
// The process test never touches the registry; this one refuses everything.
class NoRegistry : public RegistryApi {
public:
    long OpenKeyEx(RegKey, const std::string&, std::uint32_t, RegKey*) override { return 5; }
    long CreateKeyEx(RegKey, const std::string&, std::uint32_t, RegKey*) override { return 5; }
    long QueryValueEx(RegKey, const std::string&, std::uint32_t*, std::uint8_t*, std::uint32_t*) override { return 5; }
    long SetValueEx(RegKey, const std::string&, std::uint32_t, const std::uint8_t*, std::uint32_t) override { return 5; }
    long DeleteKey(RegKey, const std::string&) override { return 5; }
    long DeleteValue(RegKey, const std::string&) override { return 5; }
    long CloseKey(RegKey) override { return 5; }
    long QueryInfoKey(RegKey, std::uint32_t*) override { return 5; }
    long EnumValue(RegKey, std::uint32_t, char*, std::uint32_t*) override { return 5; }
    long EnumKey(RegKey, std::uint32_t, char*, std::uint32_t) override { return 5; }
    std::uint32_t ExpandEnvironmentStrings(const char*, char*, std::uint32_t) override { return 0; }
};
#endif

template <typename Action>
double MedianMicroseconds(int runs, Action action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(const char* what, Platform& platform, const std::string& name, int runs) {
    bool answer = false;
    double median = MedianMicroseconds(runs, [&] { answer = IsProcessRunning(platform, name); });
    std::printf("%-52s %10.1f us  (median of %d, answer %s)\n", what, median, runs, answer ? "true" : "false");
}

}  // namespace

int main() {
    RecordingMessages messages;
    ScriptedFolderDialog dialog;
#ifdef _WIN32
    NoRegistry registry;
    Win32FileSystem files;
    Win32Processes processes;
    Platform platform{registry, files, processes, dialog, messages, "process_bench"};
    std::uint32_t ids[4096], returned = 0;
    processes.EnumProcesses(ids, sizeof ids, &returned);
    std::printf("real process list: %u processes\n", returned / 4);
    Measure("process-status road, no match (whole list)", platform, "brindleway-absent.exe", 51);
    Measure("process-status road, this program", platform, "process_bench.exe", 51);
#else
    MemoryRegistry registry;
    StandinFileSystem files;
    StandinProcesses processes;
    Platform platform{registry, files, processes, dialog, messages, "process_bench"};
    for (int i = 0; i < 300; ++i) {
        processes.AddProcess("C:\\Windows\\System32\\service" + std::to_string(i) + ".exe", i % 10 != 0, i % 7 != 0);
    }
    std::printf("stand-in process list: 300 processes (1 in 10 cannot be opened, 1 in 7 lists no modules)\n");
    processes.platformId = 2;
    Measure("process-status road, no match (whole list)", platform, "gta2.exe", 201);
    processes.platformId = 1;
    Measure("snapshot road, no match (whole list)", platform, "gta2.exe", 201);
    processes.AddProcess("C:\\Games\\GTA2\\gta2.exe");
    processes.platformId = 2;
    Measure("process-status road, game is the 301st process", platform, "gta2.exe", 201);
    processes.platformId = 1;
    Measure("snapshot road, game is the 301st process", platform, "gta2.exe", 201);
#endif
    if (!messages.shown.empty()) std::printf("message shown: %s\n", messages.shown.front().c_str());
    return 0;
}
