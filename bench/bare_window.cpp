// The floor the start-up benchmark measures the program against: the same
// window built straight from Win32 calls, with nothing of the program's own
// logic. It reads the game folder stored in the registry, finds and reads
// the same description files, and shows one row a file and the twelve
// built-in rows in a full-row-select list of five columns, beside a button
// with its tooltip.
// The controls are part of the floor: under Wine the Common Controls 6.0
// and the list view alone cost a start about 25 ms.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "windows/Handles.h"

namespace {

constexpr int kBuiltInMaps = 12;
constexpr int kColumns = 5;

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The fifth line of each description file, or as much of the file as one
// read gives when it is shorter.
std::vector<std::string> ReadDescriptionFiles() {
    std::vector<std::string> names;
    char folder[MAX_PATH] = {};
    DWORD size = sizeof folder - 1;
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Lanternhall", 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return names;
    if (RegQueryValueExA(key.get(), "GTA2Folder", nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size) !=
        ERROR_SUCCESS)
        return names;
    const std::string data = std::string(folder) + "data\\";
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA((data + "*.mmp").c_str(), &found));
    if (!search) return names;
    char buffer[4096];
    do {
        UniqueFileHandle file(CreateFileA((data + found.cFileName).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) continue;
        DWORD got = 0;
        ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr);
        std::string text(buffer, got);
        std::size_t line = 0;
        for (int i = 0; i < 4 && line != std::string::npos; ++i) {
            line = text.find('\r', line);
            if (line != std::string::npos) line += 2;
        }
        names.push_back(line == std::string::npos ? text : text.substr(line, text.find('\r', line) - line));
    } while (FindNextFileA(search.get(), &found));
    return names;
}

void ShowRows(HWND list, const std::vector<std::string>& names) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int column = 0; column < kColumns; ++column) {
        LVCOLUMNA header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH;
        header.cx = 120;
        header.pszText = const_cast<char*>("Column");
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
    }
    const int rows = static_cast<int>(names.size()) + kBuiltInMaps;
    for (int row = 0; row < rows; ++row) {
        const std::string name = row < kBuiltInMaps ? "Built-in map" : names[row - kBuiltInMaps];
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(name.c_str());
        const LRESULT at = SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < kColumns; ++column) {
            LVITEMA cell{};
            cell.iSubItem = column;
            cell.pszText = const_cast<char*>("file.gmp");
            SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    const std::vector<std::string> names = ReadDescriptionFiles();

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BrindlewayBareWindow";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("BrindlewayBareWindow", "Orvo's Brindleway bare window", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 800, 560, nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 64, 776, 448,
                                window, nullptr, instance, nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    HWND button = CreateWindowExA(0, WC_BUTTONA, "&Launch GTA2", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 280, 8, 129, 33,
                                  window, nullptr, instance, nullptr);
    HWND tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window, nullptr,
                                   instance, nullptr);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<char*>("Some scripts will crash in 1 player if they try to use commands on players 2-6");
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ShowRows(list, names);
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
