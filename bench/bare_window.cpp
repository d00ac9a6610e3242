// The floor the start-up benchmark measures the program against: a bare
// window that first finds and reads the same description files, from the
// game folder stored in the registry, as the program does, and nothing else.

#include <windows.h>

#include <string>

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
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Lanternhall", 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    const LONG status = RegQueryValueExA(key, "GTA2Folder", nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return;
    const std::string data = std::string(folder) + "data\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((data + "*.mmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    char buffer[4096];
    do {
        HANDLE file = CreateFileA((data + found.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        DWORD got = 0;
        ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
    } while (FindNextFileA(search, &found));
    FindClose(search);
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
