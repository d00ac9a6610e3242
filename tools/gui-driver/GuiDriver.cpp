// Win32 implementation of the GUI driver declared in GuiDriver.h.

#include "GuiDriver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <map>

namespace gui {
namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw DriverError(what + " (error " + std::to_string(GetLastError()) + ")");
}

std::string Narrow(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

// A copy of our environment block with `extra` added or overriding.
std::string EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& extra) {
    std::map<std::string, std::string> vars;  // ordered, as Windows expects
    std::vector<std::string> keepAsIs;        // "=C:=C:\..." drive entries
    LPCH block = GetEnvironmentStringsA();
    for (const char* p = block; p && *p; p += std::strlen(p) + 1) {
        std::string entry(p);
        size_t eq = entry.find('=', 1);
        if (entry[0] == '=' || eq == std::string::npos) {
            keepAsIs.push_back(entry);
            continue;
        }
        vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    if (block) FreeEnvironmentStringsA(block);
    for (const auto& [name, value] : extra) {
        // Names are case-insensitive: drop any spelling of it first.
        for (auto it = vars.begin(); it != vars.end();) {
            it = lstrcmpiA(it->first.c_str(), name.c_str()) == 0 ? vars.erase(it) : std::next(it);
        }
        vars[name] = value;
    }
    std::string out;
    for (const auto& entry : keepAsIs) out += entry + '\0';
    for (const auto& [name, value] : vars) out += name + "=" + value + '\0';
    out += '\0';
    return out;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    if (search->className && ClassName(window) != search->className) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

struct ChildSearch {
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChildren(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (!search->className || lstrcmpiA(ClassName(window).c_str(), search->className) == 0) {
        search->found.push_back(window);
    }
    return TRUE;
}

bool IsDialog(HWND window) { return ClassName(window) == "#32770"; }

bool HasTreeView(HWND window) { return FindChild(window, "SysTreeView32") != nullptr; }

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeout = kDefaultTimeout) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeout, &result)) {
        Fail("message " + std::to_string(message) + " was not answered");
    }
    return static_cast<LRESULT>(result);
}

void CheckRow(HWND list, int row) {
    if (row < 1 || row > ListRowCount(list)) {
        throw DriverError("no list row " + std::to_string(row) + " (rows: " + std::to_string(ListRowCount(list)) + ")");
    }
}

std::string g_programPath;
std::string g_artifactFolder;

}  // namespace

// ---- Program -------------------------------------------------------------------

Program Program::Start(const StartOptions& options) {
    const std::string program = WindowsPath(options.program);
    std::string commandLine = "\"" + program + "\"";
    if (!options.arguments.empty()) commandLine += " " + options.arguments;
    std::string environment;
    if (!options.environment.empty()) environment = EnvironmentBlock(options.environment);
    const std::string folder = options.currentFolder.empty() ? std::string() : WindowsPath(options.currentFolder);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (options.showCommand >= 0) {
        startup.dwFlags |= STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(options.showCommand);
    }
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                        environment.empty() ? nullptr : &environment[0], folder.empty() ? nullptr : folder.c_str(),
                        &startup, &info)) {
        Fail("cannot start " + program);
    }
    UniqueHandle thread(info.hThread);
    return Program(UniqueHandle(info.hProcess), info.dwProcessId);
}

Program::~Program() {
    if (process_ && IsRunning()) {
        TerminateProcess(process_.get(), 9);
        WaitForSingleObject(process_.get(), 5000);
    }
}

bool Program::IsRunning() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

HWND Program::WaitForMainWindow(DWORD timeout) const {
    HWND main = nullptr;
    WaitUntil(
        [&] {
            WindowSearch search{id_, nullptr, {}};
            EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
            for (HWND w : search.found) {
                if (!GetWindow(w, GW_OWNER) && !IsDialog(w) && ClassName(w) != TOOLTIPS_CLASSA) {
                    main = w;
                    return true;
                }
            }
            return !IsRunning();
        },
        timeout);
    // A window becomes visible before its first show has finished (the
    // first resize comes after): let the program get back to its loop.
    if (main) WaitForIdle(timeout);
    return main;
}

bool Program::WaitForIdle(DWORD timeout) const { return WaitForInputIdle(process_.get(), timeout) == 0; }

std::optional<DWORD> Program::Close(DWORD timeout) {
    if (HWND main = WaitForMainWindow(0)) PostMessageA(main, WM_CLOSE, 0, 0);
    return WaitForExit(timeout);
}

std::optional<DWORD> Program::WaitForExit(DWORD timeout) {
    if (WaitForSingleObject(process_.get(), timeout) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::vector<HWND> TopLevelWindows(const Program& program, const char* className) {
    WindowSearch search{program.Id(), className, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---- RemoteMemory ---------------------------------------------------------------

RemoteMemory::RemoteMemory(const Program& program, size_t size) : process_(program.Process()), size_(size) {
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) Fail("VirtualAllocEx");
}

RemoteMemory::~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

void RemoteMemory::Write(const void* data, size_t size, size_t offset) {
    if (offset + size > size_) throw DriverError("remote write out of range");
    SIZE_T done = 0;
    if (!WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) || done != size) {
        Fail("WriteProcessMemory");
    }
}

void RemoteMemory::Read(void* data, size_t size, size_t offset) const {
    if (offset + size > size_) throw DriverError("remote read out of range");
    SIZE_T done = 0;
    if (!ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) || done != size) {
        Fail("ReadProcessMemory");
    }
}

// ---- Windows ------------------------------------------------------------------------

HWND FindChild(HWND parent, const char* className, const char* text) {
    for (HWND w : FindChildren(parent, className)) {
        if (!text || WindowText(w) == text) return w;
    }
    return nullptr;
}

std::vector<HWND> FindChildren(HWND parent, const char* className) {
    ChildSearch search{className, {}};
    EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    // WM_GETTEXT is marshalled across processes, unlike most messages.
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT RectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// ---- List view ---------------------------------------------------------------------

int ListRowCount(HWND list) { return static_cast<int>(SendWithin(list, LVM_GETITEMCOUNT, 0, 0)); }

int ListColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendWithin(list, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendWithin(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListCellText(const Program& program, HWND list, int row, int column) {
    CheckRow(list, row);
    constexpr size_t kText = 1024;
    RemoteMemory remote(program, sizeof(LVITEMA) + kText);
    LVITEMA item{};
    item.iSubItem = column - 1;
    item.pszText = static_cast<char*>(remote.Address()) + sizeof(LVITEMA);
    item.cchTextMax = kText;
    remote.Put(item);
    LRESULT length = SendWithin(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row - 1), remote.AsLParam());
    std::string text(kText, '\0');
    remote.Read(&text[0], kText, sizeof(LVITEMA));
    text.resize(static_cast<size_t>(length >= 0 && static_cast<size_t>(length) < kText ? length : 0));
    return text;
}

std::vector<std::string> ListRow(const Program& program, HWND list, int row) {
    std::vector<std::string> cells;
    const int columns = ListColumnCount(list);
    for (int column = 1; column <= columns; ++column) cells.push_back(ListCellText(program, list, row, column));
    return cells;
}

std::vector<std::string> ListColumnTitles(const Program& program, HWND list) {
    std::vector<std::string> titles;
    constexpr size_t kText = 512;
    RemoteMemory remote(program, sizeof(LVCOLUMNA) + kText);
    const int columns = ListColumnCount(list);
    for (int column = 0; column < columns; ++column) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT;
        col.pszText = static_cast<char*>(remote.Address()) + sizeof(LVCOLUMNA);
        col.cchTextMax = kText;
        remote.Put(col);
        remote.Put('\0', sizeof(LVCOLUMNA));
        if (!SendWithin(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), remote.AsLParam())) {
            throw DriverError("LVM_GETCOLUMNA failed for column " + std::to_string(column + 1));
        }
        std::string text(kText, '\0');
        remote.Read(&text[0], kText, sizeof(LVCOLUMNA));
        text.resize(std::strlen(text.c_str()));
        titles.push_back(text);
    }
    return titles;
}

int ListSelectedRow(HWND list) {
    return static_cast<int>(SendWithin(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}

int ListSelectedCount(HWND list) { return static_cast<int>(SendWithin(list, LVM_GETSELECTEDCOUNT, 0, 0)); }

RECT ListRowRect(const Program& program, HWND list, int row) {
    CheckRow(list, row);
    RemoteMemory remote(program, sizeof(RECT));
    RECT r{};
    r.left = LVIR_LABEL;
    remote.Put(r);
    if (!SendWithin(list, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), remote.AsLParam())) {
        throw DriverError("LVM_GETITEMRECT failed for row " + std::to_string(row));
    }
    return remote.Get<RECT>();
}

void SelectRowByMessage(const Program& program, HWND list, int row) {
    CheckRow(list, row);
    RemoteMemory remote(program, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    remote.Put(item);
    SendWithin(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), remote.AsLParam());
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Put(item);
    if (!SendWithin(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1), remote.AsLParam())) {
        throw DriverError("LVM_SETITEMSTATE failed for row " + std::to_string(row));
    }
}

bool ClickRow(const Program& program, HWND list, int row, DWORD timeout) {
    CheckRow(list, row);
    SendWithin(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
    RECT r = ListRowRect(program, list, row);
    POINT p{r.left + 4, (r.top + r.bottom) / 2};
    ClientToScreen(list, &p);
    // A click that arrives while the window is still being brought to the
    // front is lost on a busy machine: click again, a few times at most.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        BringToFront(GetAncestor(list, GA_ROOT));
        MoveMouseTo(p);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
        if (WaitUntil([&] { return ListSelectedRow(list) == row; }, timeout / kAttempts)) return true;
    }
    return false;
}

// ---- Buttons, keyboard, mouse ----------------------------------------------------------

void PressButton(HWND button) {
    if (!PostMessageA(button, BM_CLICK, 0, 0)) Fail("BM_CLICK could not be posted");
}

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
}

bool SendKeyChord(HWND window, HWND control, const std::vector<WORD>& keys, DWORD timeout) {
    const bool ready = WaitUntil(
        [&] {
            if (GetForegroundWindow() != window) {
                if (IsWindowEnabled(window)) SetForegroundWindow(window);
                return false;
            }
            return FocusedWindow(window) == control;
        },
        timeout);
    if (!ready) return false;
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        inputs.push_back(in);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

void MoveMouseTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    // A real move event too, so hover tracking (tooltips) sees it.
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>((screen.x * 65535.0) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    move.mi.dy = static_cast<LONG>((screen.y * 65535.0) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof(INPUT));
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// ---- Tooltips ----------------------------------------------------------------------------

std::optional<ToolTipInfo> FindToolTip(const Program& program, HWND tool) {
    // Tooltip windows are top-level but hidden until they pop up.
    std::vector<HWND> tips;
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == program.Id()) tips.push_back(w);
    }
    constexpr size_t kChars = 1024;
    RemoteMemory remote(program, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
    for (HWND tip : tips) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = GetParent(tool);
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.Address()) + sizeof(TTTOOLINFOW));
        remote.Put(info);
        remote.Put(L'\0', sizeof(TTTOOLINFOW));
        // With comctl32 6 the buffer size goes in wParam; the A form would
        // cut the text at 80 characters.
        SendWithin(tip, TTM_GETTEXTW, kChars, remote.AsLParam());
        std::wstring text(kChars, L'\0');
        remote.Read(&text[0], kChars * sizeof(wchar_t), sizeof(TTTOOLINFOW));
        if (text[0] != L'\0') return ToolTipInfo{tip, Narrow(text.c_str())};
    }
    return std::nullopt;
}

std::optional<std::string> ToolTipText(const Program& program, HWND tool) {
    auto tip = FindToolTip(program, tool);
    return tip ? std::optional<std::string>(tip->text) : std::nullopt;
}

// ---- Message boxes and the folder dialog ----------------------------------------------------

std::optional<MessageBoxInfo> FindMessageBox(const Program& program) {
    for (HWND w : TopLevelWindows(program, "#32770")) {
        if (HasTreeView(w)) continue;
        MessageBoxInfo box;
        box.window = w;
        box.caption = WindowText(w);
        if (HWND text = GetDlgItem(w, 0xFFFF)) box.text = WindowText(text);
        return box;
    }
    return std::nullopt;
}

std::optional<MessageBoxInfo> WaitForMessageBox(const Program& program, DWORD timeout) {
    std::optional<MessageBoxInfo> box;
    WaitUntil([&] { return (box = FindMessageBox(program)).has_value() || !program.IsRunning(); }, timeout);
    return box;
}

bool DismissMessageBox(const MessageBoxInfo& box, DWORD timeout) {
    HWND ok = GetDlgItem(box.window, IDOK);
    if (!ok) ok = FindChild(box.window, "Button");
    if (!ok) throw DriverError("the message box has no button");
    PressButton(ok);
    return WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, timeout);
}

bool FolderDialogInfo::Shows(const std::string& text) const {
    for (const auto& t : texts) {
        if (t == text) return true;
    }
    return false;
}

std::optional<FolderDialogInfo> FindFolderDialog(const Program& program) {
    for (HWND w : TopLevelWindows(program, "#32770")) {
        if (!HasTreeView(w)) continue;
        FolderDialogInfo dialog;
        dialog.window = w;
        dialog.caption = WindowText(w);
        for (HWND s : FindChildren(w, "Static")) {
            std::string text = WindowText(s);
            if (!text.empty()) dialog.texts.push_back(text);
        }
        return dialog;
    }
    return std::nullopt;
}

std::optional<FolderDialogInfo> WaitForFolderDialog(const Program& program, DWORD timeout) {
    std::optional<FolderDialogInfo> dialog;
    WaitUntil([&] { return (dialog = FindFolderDialog(program)).has_value() || !program.IsRunning(); }, timeout);
    return dialog;
}

bool PickFolder(const Program& program, const FolderDialogInfo& dialog, const std::string& folder, DWORD timeout) {
    const std::string path = WindowsPath(folder);
    RemoteMemory remote(program, path.size() + 1);
    remote.Write(path.c_str(), path.size() + 1);
    // Wine's dialog ignores the edit box on OK and returns the tree's
    // selection; Windows' new-style dialog reads the edit box. Set both.
    SendWithin(dialog.window, BFFM_SETSELECTIONA, TRUE, remote.AsLParam());
    if (HWND edit = FindChild(dialog.window, "Edit")) {
        SendWithin(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    HWND ok = GetDlgItem(dialog.window, IDOK);
    if (!ok) throw DriverError("the folder dialog has no OK button");
    PressButton(ok);
    return WaitUntil([&] { return !IsWindow(dialog.window); }, timeout);
}

bool CancelFolderDialog(const FolderDialogInfo& dialog, DWORD timeout) {
    HWND cancel = GetDlgItem(dialog.window, IDCANCEL);
    if (cancel) {
        PressButton(cancel);
    } else {
        PostMessageA(dialog.window, WM_COMMAND, IDCANCEL, 0);
    }
    return WaitUntil([&] { return !IsWindow(dialog.window); }, timeout);
}

// ---- Pictures ---------------------------------------------------------------------------------

void SaveWindowBitmap(HWND window, const std::string& path) {
    BringToFront(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(300);  // let the other process finish painting
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) throw DriverError("the window has no area to capture");

    UniqueWindowDc screen(GetDC(nullptr));
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    SelectObject(memory.get(), old);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files store it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    std::vector<char> pixels(stride * static_cast<DWORD>(height));
    BITMAPINFO info{};
    info.bmiHeader = header;
    int lines = GetDIBits(memory.get(), static_cast<HBITMAP>(bitmap.get()), 0, static_cast<UINT>(height), pixels.data(),
                          &info, DIB_RGB_COLORS);
    if (lines != height) throw DriverError("GetDIBits read " + std::to_string(lines) + " lines");

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(WindowsPath(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    if (!out) throw DriverError("cannot write " + path);
}

// ---- Paths ---------------------------------------------------------------------------------------

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}

const std::string& ProgramPath() { return g_programPath; }
const std::string& ArtifactFolder() { return g_artifactFolder; }
void SetProgramPath(const std::string& path) { g_programPath = WindowsPath(path); }
void SetArtifactFolder(const std::string& folder) { g_artifactFolder = WindowsPath(folder); }

}  // namespace gui
