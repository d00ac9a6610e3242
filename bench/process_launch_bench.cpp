// Under Wine: the time from pressing the launch button of the real program to
// the stand-in game running its first code (its report file appears).
// process_launch_bench.exe BRINDLEWAY_EXE FAKE_GAME_EXE [RUNS]. Prints figures.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "GuiDriver.h"
#include "Scratch.h"

namespace {

DWORD GamePid(const std::string& report) {
    std::ifstream in(report);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("pid=", 0) == 0) return static_cast<DWORD>(std::strtoul(line.c_str() + 4, nullptr, 10));
    }
    return 0;
}

void EndGame(DWORD pid) {
    UniqueHandle game(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!game) return;
    TerminateProcess(game.get(), 0);
    WaitForSingleObject(game.get(), 10000);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: process_launch_bench BRINDLEWAY_EXE FAKE_GAME_EXE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    gui::ScratchFolder game("launch-bench");
    game.MakeGameFolder(argv[2]);
    gui::ScopedLauncherSettings settings(game.Path() + "\\");

    gui::Program app = gui::Program::Start({gui::WindowsPath(argv[1]), game.Path(), "", {}});
    HWND main = app.WaitForMainWindow();
    HWND list = main ? gui::FindChild(main, "SysListView32") : nullptr;
    HWND button = main ? gui::FindChild(main, "Button") : nullptr;
    if (!list || !button) {
        std::printf("the program's window did not appear\n");
        return 1;
    }
    gui::SelectRowByMessage(app, list, 1);

    const std::string report = game / "fake-game-report.txt";
    std::vector<double> times;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < runs; ++i) {
        DeleteFileA(report.c_str());
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        gui::PressButton(button);
        if (!gui::WaitUntil([&] { return GetFileAttributesA(report.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000)) {
            std::printf("run %d: the game did not start\n", i + 1);
            break;
        }
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
        EndGame(GamePid(report));
    }
    app.Close();
    if (times.empty()) return 1;
    std::sort(times.begin(), times.end());
    std::printf("button press to game running: median %.1f ms, min %.1f ms, max %.1f ms over %zu launches\n",
                times[times.size() / 2], times.front(), times.back(), times.size());
    return 0;
}
