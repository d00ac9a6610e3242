// How long the running-process test takes: natively over a stand-in list of
// 300 processes, and on Windows (or Wine) over the real process list.
// Prints figures; it checks nothing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ProcessApi.h"
#include "standin/RecordingMessages.h"
#include "system/modIsCheckProcess.h"

#ifdef _WIN32
#include "windows/Win32Processes.h"
#else
#include "standin/StandinProcesses.h"
#endif

namespace {

#ifdef _WIN32
// The same list through Tool Help, as on the Windows 95 family. Nothing of
// the list is named GTA2.EXE unless the extra program is.
class ReportsWindows95 : public Win32Processes {
public:
    bool GetVersionEx(std::uint32_t* platformId) override {
        *platformId = 1;
        return true;
    }
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

void Measure(const char* what, ProcessApi& processes, const std::string& name, int runs) {
    RecordingMessages messages;
    bool answer = false;
    double median = MedianMicroseconds(runs, [&] { answer = IsProcessRunning(processes, messages, name); });
    std::printf("%-52s %10.1f us  (median of %d, answer %s)\n", what, median, runs, answer ? "true" : "false");
    if (!messages.shown.empty()) std::printf("message shown: %s\n", messages.shown.front().c_str());
}

}  // namespace

#ifdef _WIN32
// Extra processes for the list: copies of `program`, started in the temp
// folder and ended (by their handles) when the benchmark is done.
class ExtraProcesses {
public:
    ExtraProcesses(const std::string& program, int count) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        for (int i = 0; i < count; ++i) {
            std::string commandLine = "\"" + program + "\"";
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            startup.dwFlags = STARTF_USESHOWWINDOW;
            startup.wShowWindow = SW_HIDE;
            PROCESS_INFORMATION started{};
            if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, temp,
                                &startup, &started)) {
                std::printf("could not start %s (error %lu)\n", program.c_str(), GetLastError());
                break;
            }
            UniqueHandle thread(started.hThread);
            processes_.emplace_back(started.hProcess);
            WaitForInputIdle(started.hProcess, 10000);
        }
    }
    ~ExtraProcesses() {
        for (const UniqueHandle& process : processes_) {
            TerminateProcess(process.get(), 0);
            WaitForSingleObject(process.get(), 10000);
        }
    }

private:
    std::vector<UniqueHandle> processes_;
};
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    Win32Processes processes;
    // process_bench.exe [PROGRAM COUNT]: COUNT more copies of PROGRAM in the list.
    ExtraProcesses extra(argc > 2 ? argv[1] : "", argc > 2 ? std::atoi(argv[2]) : 0);
    std::uint32_t ids[4096], returned = 0;
    processes.EnumProcesses(ids, sizeof ids, &returned);
    std::printf("real process list: %u processes\n", returned / 4);
    Measure("process-status road, no match (whole list)", processes, "brindleway-absent.exe", 51);
    Measure("process-status road, this program", processes, "process_bench.exe", 51);
    ReportsWindows95 windows95;
    Measure("snapshot road, no match (whole list)", windows95, "brindleway-absent.exe", 51);
#else
    StandinProcesses processes;
    // process_bench [COUNT]: the size of the stand-in list, 300 unless given.
    const int count = argc > 1 ? std::atoi(argv[1]) : 300;
    for (int i = 0; i < count; ++i) {
        processes.AddProcess("C:\\Windows\\System32\\service" + std::to_string(i) + ".exe", i % 10 != 0, i % 7 != 0);
    }
    std::printf("stand-in process list: %d processes (1 in 10 cannot be opened, 1 in 7 lists no modules)\n", count);
    processes.platformId = 2;
    Measure("process-status road, no match (whole list)", processes, "gta2.exe", 201);
    processes.platformId = 1;
    Measure("snapshot road, no match (whole list)", processes, "gta2.exe", 201);
    processes.AddProcess("C:\\Games\\GTA2\\gta2.exe");
    processes.platformId = 2;
    Measure("process-status road, game is the last process", processes, "gta2.exe", 201);
    processes.platformId = 1;
    Measure("snapshot road, game is the last process", processes, "gta2.exe", 201);
#endif
    return 0;
}
