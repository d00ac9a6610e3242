// Under Wine: the time from starting the real program to its titled window
// (caption "Orvo's Brindleway ..."), with 0, 1,000 and 10,000 description
// files in the game's data folder.
// Beside it, BARE_WINDOW_EXE (bench/bare_window.cpp) when given: a bare
// window that reads the same files first; each start of one is followed by a
// start of the other, so that both meet the same machine.
// startup_bench.exe BRINDLEWAY_EXE [RUNS [BARE_WINDOW_EXE [FILES...]]], where
// FILES are the description file counts to measure (0, 1000 and 10000 when
// none are given). Prints figures.

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "GuiDriver.h"
#include "Scratch.h"

namespace {

const char kTitlePrefix[] = "Orvo's Brindleway";
constexpr int kBuiltInMaps = 12;
constexpr DWORD kTimeout = 120000;
// Each look asks the Wine server about every window; asking too often slows
// the very start being timed, which needs the same server for every file.
constexpr DWORD kPollMs = 5;

struct TitledWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindTitledWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TitledWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(caption).rfind(kTitlePrefix, 0) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// Description files named in no particular order, as a map maker's folder
// collects them, so the list has real sorting to do.
void WriteDescriptionFiles(const gui::ScratchFolder& game, int count) {
    unsigned seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const std::string tag = std::to_string(i);
        const std::string content = "[MapFiles]\r\nGMPFile = bench" + tag + ".gmp\r\nSTYFile = bench" + tag +
                                    ".sty\r\nSCRFile = bench" + tag + ".scr\r\nDescription = Bench Map " +
                                    std::to_string((seed >> 8) % 1000000) + "-" + tag + "\r\n\r\n";
        const std::string path = game / ("data\\bench" + tag + ".mmp");
        UniqueFileHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throw gui::DriverError("cannot write " + path);
        DWORD written = 0;
        WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    }
}

// One start: milliseconds to the titled window, or a negative number when it
// never came or the list does not hold every map (not checked for a negative
// `expectedRows`: the bare window has no list). With the list checked, the
// program's peak private memory once it is idle goes to `peakPrivate`.
double TimeOneStart(const std::string& program, const std::string& folder, int expectedRows,
                    SIZE_T* peakPrivate = nullptr) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    gui::Program app = gui::Program::Start({program, folder, "", {}});
    TitledWindowSearch search{app.Id(), nullptr};
    const DWORD began = GetTickCount();
    while (!search.found && app.IsRunning() && GetTickCount() - began < kTimeout) {
        EnumWindows(FindTitledWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(kPollMs);
    }
    QueryPerformanceCounter(&end);
    if (!search.found) return -1;
    if (expectedRows < 0) {
        app.Close(kTimeout);
        return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }
    app.WaitForIdle();
    PROCESS_MEMORY_COUNTERS memory{};
    if (peakPrivate && GetProcessMemoryInfo(app.Process(), &memory, sizeof memory)) {
        *peakPrivate = memory.PeakPagefileUsage;
    }
    HWND list = gui::FindChild(search.found, "SysListView32");
    const int rows = list ? gui::ListRowCount(list) : -1;
    app.Close(kTimeout);
    if (rows != expectedRows) {
        std::printf("  the list holds %d rows, not %d\n", rows, expectedRows);
        return -1;
    }
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The floor under the program's own work: finding and reading the same files
// from this process, the way the program reads them.
double TimeBareReading(const gui::ScratchFolder& game) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA((game / "data\\*.mmp").c_str(), &found));
    std::vector<std::string> names;
    if (search) {
        do names.emplace_back(found.cFileName);
        while (FindNextFileA(search.get(), &found));
    }
    char buffer[4096];
    for (const std::string& name : names) {
        UniqueFileHandle file(CreateFileA((game / ("data\\" + name)).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) continue;
        DWORD got = 0;
        ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr);
    }
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: startup_bench BRINDLEWAY_EXE [RUNS [BARE_WINDOW_EXE [FILES...]]]\n");
        return 2;
    }
    const std::string program = gui::WindowsPath(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
    const std::string bare = argc > 3 ? gui::WindowsPath(argv[3]) : std::string();
    gui::ScopedRegistryValue index(HKEY_CURRENT_USER, "Software\\Lanternhall", "map_index", std::nullopt);
    gui::ScopedRegistryValue file(HKEY_CURRENT_USER, "Software\\Lanternhall", "map_file", std::nullopt);
    gui::ScratchFolder elsewhere("startup-bench-cwd");

    std::vector<int> counts;
    for (int i = 4; i < argc; ++i) counts.push_back(std::max(0, std::atoi(argv[i])));
    if (counts.empty()) counts = {0, 1000, 10000};
    for (int files : counts) {
        gui::ScratchFolder game("startup-bench");
        game.MakeGameFolder();
        WriteDescriptionFiles(game, files);
        gui::ScopedRegistryValue folder(HKEY_CURRENT_USER, "Software\\Lanternhall", "GTA2Folder", game.Path() + "\\");

        // The first start pays for loading the program and filling caches:
        // shown apart, not counted.
        const double first = TimeOneStart(program, elsewhere.Path(), files + kBuiltInMaps);
        if (!bare.empty()) TimeOneStart(bare, elsewhere.Path(), -1);
        std::vector<double> times, bareTimes;
        std::vector<SIZE_T> peaks;
        for (int i = 0; i < runs; ++i) {
            SIZE_T peak = 0;
            const double ms = TimeOneStart(program, elsewhere.Path(), files + kBuiltInMaps, &peak);
            peaks.push_back(peak);
            const double bareMs = bare.empty() ? 0 : TimeOneStart(bare, elsewhere.Path(), -1);
            if (ms < 0 || bareMs < 0) {
                std::printf("%5d files: run %d failed\n", files, i + 1);
                return 1;
            }
            times.push_back(ms);
            bareTimes.push_back(bareMs);
        }
        std::sort(times.begin(), times.end());
        std::sort(peaks.begin(), peaks.end());
        std::sort(bareTimes.begin(), bareTimes.end());
        std::printf(
            "%5d description files: start to titled window median %7.1f ms, min %7.1f, max %7.1f over %d "
            "starts (first start %.1f ms, not counted); finding and reading the files alone %.1f ms\n",
            files, times[times.size() / 2], times.front(), times.back(), runs, first, TimeBareReading(game));
        std::printf("%5d description files: peak private memory median %.2f MB\n", files,
                    static_cast<double>(peaks[peaks.size() / 2]) / (1024.0 * 1024.0));
        if (!bare.empty()) {
            const double median = bareTimes[bareTimes.size() / 2];
            std::printf("%5d description files: bare window reading them median %7.1f ms; program/bare %.2fx\n", files,
                        median, times[times.size() / 2] / median);
        }
        std::fflush(stdout);
    }
    return 0;
}
