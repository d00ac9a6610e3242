// The floor the start-up benchmark measures the program against: a bare
// window that first finds and reads the same description files, from the
// game folder stored in the registry, as the program does, and nothing else.

#include <windows.h>

#include <string>

#include "windows/Handles.h"

namespace {

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ReadDescriptionFiles() {
    char folder[MAX_PATH] = {};
    DWORD size = sizeof folder - 1;
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Lanternhall", 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
    if (RegQueryValueExA(key.get(), "GTA2Folder", nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size) !=
        ERROR_SUCCESS)
        return;
    const std::string data = std::string(folder) + "data\\";
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA((data + "*.mmp").c_str(), &found));
    if (!search) return;
    char buffer[4096];
    do {
        UniqueFileHandle file(CreateFileA((data + found.cFileName).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) continue;
        DWORD got = 0;
        ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr);
    } while (FindNextFileA(search.get(), &found));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    ReadDescriptionFiles();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BrindlewayBareWindow";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("BrindlewayBareWindow", "Orvo's Brindleway bare window", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
