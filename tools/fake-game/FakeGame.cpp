// A stand-in for the game, built as gta2.exe: it records how it was started
// so that tests of the launcher can check the launch from outside.
//
// On start it writes "fake-game-report.txt" into its current folder, one
// key=value line each: folder (its current folder), command_line, pid, and
// for each root (hklm, hkcu) and each debug value (mapname, scriptName,
// stylename, skip_frontend) the lines <root>.<value>=<data> and
// <root>.<value>.type=<registry type number>; a value that is not there has
// no lines. Text data is written as stored, a number in decimal. The file
// is written under another name and then renamed, so a reader never sees
// half of it.
//
// It then shows the same text in a window titled "GTA2 (stand-in)" and runs
// until that window is closed; it exits at once instead, after writing the
// report, when the environment variable FAKE_GAME_QUIT is set to anything
// non-empty or a file named "fake-game-quit" exists in its current folder.

#include <windows.h>

#include <string>

#include "windows/Handles.h"

namespace {

constexpr const char* kDebugKey = "software\\dma design ltd\\gta2\\Debug";
constexpr const char* kValueNames[] = {"mapname", "scriptName", "stylename", "skip_frontend"};
constexpr const char* kReportName = "fake-game-report.txt";
constexpr const char* kWindowTitle = "GTA2 (stand-in)";

std::string CurrentFolder() {
    char folder[MAX_PATH * 2] = {};
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return std::string(folder, length < sizeof folder ? length : 0);
}

// The game is a 32-bit program, so it sees the 32-bit view of the machine
// root; asking for that view explicitly keeps it so under any host.
void ReportDebugValues(HKEY root, const char* rootName, std::string& report) {
    UniqueHkey key;
    if (RegOpenKeyExA(root, kDebugKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, key.put()) != ERROR_SUCCESS) return;
    for (const char* name : kValueNames) {
        DWORD type = 0;
        BYTE data[1024] = {};
        DWORD size = sizeof data - 1;
        if (RegQueryValueExA(key.get(), name, nullptr, &type, data, &size) != ERROR_SUCCESS) continue;
        std::string text;
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            DWORD number = 0;
            memcpy(&number, data, sizeof number);
            text = std::to_string(number);
        } else {
            text.assign(reinterpret_cast<const char*>(data), size);
            while (!text.empty() && text.back() == '\0') text.pop_back();
        }
        report += std::string(rootName) + "." + name + "=" + text + "\r\n";
        report += std::string(rootName) + "." + name + ".type=" + std::to_string(type) + "\r\n";
    }
}

std::string BuildReport() {
    std::string report;
    report += "folder=" + CurrentFolder() + "\r\n";
    report += std::string("command_line=") + GetCommandLineA() + "\r\n";
    report += "pid=" + std::to_string(GetCurrentProcessId()) + "\r\n";
    ReportDebugValues(HKEY_LOCAL_MACHINE, "hklm", report);
    ReportDebugValues(HKEY_CURRENT_USER, "hkcu", report);
    return report;
}

bool WriteReport(const std::string& report) {
    std::string partial = std::string(kReportName) + ".partial";
    UniqueFileHandle file(
        CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file.get(), report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    // Closed before the rename, which a file still open would refuse.
    file.reset();
    if (!ok || written != report.size()) return false;
    return MoveFileExA(partial.c_str(), kReportName, MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool QuitAtOnce() {
    char value[8] = {};
    if (GetEnvironmentVariableA("FAKE_GAME_QUIT", value, sizeof value) > 0) return true;
    return GetFileAttributesA("fake-game-quit") != INVALID_FILE_ATTRIBUTES;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            HWND text = GetWindow(window, GW_CHILD);
            if (text) MoveWindow(text, 8, 8, LOWORD(lParam) - 16, HIWORD(lParam) - 16, TRUE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    std::string report = BuildReport();
    bool written = WriteReport(report);
    if (QuitAtOnce()) return written ? 0 : 1;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "BrindlewayFakeGame";
    if (!RegisterClassA(&windowClass)) return 1;

    HWND window = CreateWindowA(windowClass.lpszClassName, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 360, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    CreateWindowA("STATIC",
                  (written ? report : "Could not write " + std::string(kReportName) + "\r\n" + report).c_str(),
                  WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 8, 8, 600, 300, window, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return written ? 0 : 1;
}
