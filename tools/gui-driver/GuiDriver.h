#pragma once
// Drives a real window of ANOTHER process, for the Wine end-to-end tests.
//
// The program under test runs as its own process (Program); the functions
// below find its windows and read or operate its controls the way a user or
// an accessibility tool would. Anything that needs a structure inside the
// target process (list view items, tooltip text, folder paths) goes through
// RemoteMemory, because those messages are not marshalled across processes.
//
// Conventions: rows and columns count from 1, as in the window logic; a
// timeout is in milliseconds; a "wait" returns an empty/null result when the
// time runs out instead of throwing, so a test can assert on it with its own
// message. Misuse and broken system calls throw DriverError.
//
//   gui::Program app = gui::Program::Start({gui::ProgramPath(), game.Path()});
//   HWND main = app.WaitForMainWindow();
//   HWND list = gui::FindChild(main, "SysListView32");
//   EXPECT_EQ(gui::ListCellText(app, list, 1, 1), "1st City - Downtown");
//   gui::PressButton(gui::FindChild(main, "Button"));
//   auto box = gui::WaitForMessageBox(app);
//   ASSERT_TRUE(box);  EXPECT_EQ(box->text, "...");  gui::DismissMessageBox(*box);
//   EXPECT_EQ(app.Close(), 0u);

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "windows/Handles.h"

namespace gui {

class DriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr DWORD kDefaultTimeout = 10000;

// ---- The program under test -------------------------------------------------

struct StartOptions {
    std::string program;        // full path; a Unix path is mapped to drive Z:
    std::string currentFolder;  // empty: the test's own current folder
    std::string arguments;      // appended after the quoted program path
    // Extra NAME=value pairs added to (or overriding) the test's environment.
    std::vector<std::pair<std::string, std::string>> environment;
    // How the program is asked to show its window, as a shortcut does
    // (SW_SHOWMAXIMIZED...); -1 leaves it to the system.
    int showCommand = -1;
};

class Program {
public:
    static Program Start(const StartOptions& options);

    Program(Program&&) noexcept = default;
    Program& operator=(Program&&) noexcept = default;
    // A program still running here was left behind by a failed test: it is
    // terminated so that it cannot disturb the next test.
    ~Program();

    DWORD Id() const { return id_; }
    HANDLE Process() const { return process_.get(); }
    bool IsRunning() const;

    // The first visible, unowned top-level window of the process that is not
    // a dialog box (so a message box shown during start-up is not taken for
    // it), once the program is idle after showing it. Null on timeout.
    HWND WaitForMainWindow(DWORD timeout = kDefaultTimeout) const;

    // Waits until the program waits for input with nothing queued, so that
    // what a message or a show set in motion has run to its end.
    bool WaitForIdle(DWORD timeout = kDefaultTimeout) const;

    // Posts WM_CLOSE to the main window (if any) and waits for the process to
    // end. Returns the exit code, or nullopt when it did not end in time.
    std::optional<DWORD> Close(DWORD timeout = kDefaultTimeout);
    std::optional<DWORD> WaitForExit(DWORD timeout = kDefaultTimeout);

private:
    Program(UniqueHandle process, DWORD id) : process_(std::move(process)), id_(id) {}
    UniqueHandle process_;
    DWORD id_ = 0;
};

// Visible top-level windows of the process, in z-order, optionally of one class.
std::vector<HWND> TopLevelWindows(const Program& program, const char* className = nullptr);

// ---- Memory inside the target process ----------------------------------------

class RemoteMemory {
public:
    RemoteMemory(const Program& program, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    void* Address() const { return address_; }
    LPARAM AsLParam() const { return reinterpret_cast<LPARAM>(address_); }
    void Write(const void* data, size_t size, size_t offset = 0);
    void Read(void* data, size_t size, size_t offset = 0) const;
    template <typename T>
    void Put(const T& value, size_t offset = 0) {
        Write(&value, sizeof value, offset);
    }
    template <typename T>
    T Get(size_t offset = 0) const {
        T value{};
        Read(&value, sizeof value, offset);
        return value;
    }

private:
    HANDLE process_;  // not owned: the Program's handle
    void* address_ = nullptr;
    size_t size_ = 0;
};

// ---- Windows and controls ---------------------------------------------------

// The first descendant of `parent` of class `className` (and, if given, with
// exactly the text `text`); null when there is none.
HWND FindChild(HWND parent, const char* className, const char* text = nullptr);
// All descendants of `parent` of that class, in creation order.
std::vector<HWND> FindChildren(HWND parent, const char* className);
std::string WindowText(HWND window);
std::string ClassName(HWND window);
// Rectangles in pixels: client size, and a control's rectangle relative to
// its parent's client area.
SIZE ClientSize(HWND window);
RECT RectInParent(HWND control);
// Waits until `condition()` is true; false on timeout.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout = kDefaultTimeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeout) return false;
        Sleep(20);
    }
}

// ---- List view ----------------------------------------------------------------

int ListRowCount(HWND list);
int ListColumnCount(HWND list);
std::string ListCellText(const Program& program, HWND list, int row, int column);
// One row's cells, all columns.
std::vector<std::string> ListRow(const Program& program, HWND list, int row);
std::vector<std::string> ListColumnTitles(const Program& program, HWND list);
// The first selected row, 0 when none.
int ListSelectedRow(HWND list);
int ListSelectedCount(HWND list);
// The row's label rectangle in the list's client coordinates.
RECT ListRowRect(const Program& program, HWND list, int row);
// Selects and focuses `row` (deselecting the others) by messages, as the
// keyboard would; the list notifies its parent as for a real selection.
void SelectRowByMessage(const Program& program, HWND list, int row);
// Clicks the row's label with the real mouse (scrolling it into view first)
// and waits until the list reports it selected; false when it never did.
bool ClickRow(const Program& program, HWND list, int row, DWORD timeout = kDefaultTimeout);

// ---- Buttons, keyboard, mouse ---------------------------------------------------

// Posted, not sent: a click that opens a modal box would otherwise block the
// test until someone closed the box.
void PressButton(HWND button);
// Brings the window to the front and gives it the input focus.
void BringToFront(HWND window);
// Presses the keys down in order and releases them in reverse (e.g.
// {VK_MENU, 'L'} for Alt+L) by real input, once `window` is the foreground
// window and `control` has the keyboard focus: keys sent while a box that
// was just dismissed still holds them would go to the box or nowhere. The
// window is brought to the front while no box of its own keeps it disabled.
// False, with nothing sent, when that state is not reached in time.
bool SendKeyChord(HWND window, HWND control, const std::vector<WORD>& keys, DWORD timeout = kDefaultTimeout);
void MoveMouseTo(POINT screen);
// The window that has the keyboard focus in the thread owning `window`.
HWND FocusedWindow(HWND window);

// ---- Tooltips ---------------------------------------------------------------------

// The tooltip window that has `tool` (a control with a TTF_IDISHWND tool)
// registered, searched in every tooltip window of the process, with the
// tool's whole text, not cut at 80 characters. nullopt when no tooltip
// knows it.
struct ToolTipInfo {
    HWND window = nullptr;
    std::string text;
};
std::optional<ToolTipInfo> FindToolTip(const Program& program, HWND tool);
std::optional<std::string> ToolTipText(const Program& program, HWND tool);

// ---- Message boxes and the folder dialog -------------------------------------------

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
// A visible message box (#32770 without a tree view) of the process.
std::optional<MessageBoxInfo> FindMessageBox(const Program& program);
std::optional<MessageBoxInfo> WaitForMessageBox(const Program& program, DWORD timeout = kDefaultTimeout);
// Presses its OK button and waits until it has gone; false if it stays.
bool DismissMessageBox(const MessageBoxInfo& box, DWORD timeout = kDefaultTimeout);

struct FolderDialogInfo {
    HWND window = nullptr;
    std::string caption;
    // The texts of its static controls (the caller's title is among them).
    std::vector<std::string> texts;
    bool Shows(const std::string& text) const;
};
// The shell's folder-browse dialog of the process (#32770 with a tree view).
std::optional<FolderDialogInfo> FindFolderDialog(const Program& program);
std::optional<FolderDialogInfo> WaitForFolderDialog(const Program& program, DWORD timeout = kDefaultTimeout);
// Selects `folder` (a Windows path) in the tree, types it in the edit box
// where the dialog has one, presses OK and waits until the dialog has gone.
bool PickFolder(const Program& program, const FolderDialogInfo& dialog, const std::string& folder,
                DWORD timeout = kDefaultTimeout);
bool CancelFolderDialog(const FolderDialogInfo& dialog, DWORD timeout = kDefaultTimeout);

// ---- Pictures ------------------------------------------------------------------------

// Brings the window to the front and saves what the screen shows of it
// (frame included) as a 24-bit BMP, which any image viewer opens.
void SaveWindowBitmap(HWND window, const std::string& path);

// ---- Paths and the test's command line ---------------------------------------------

// "/a/b" -> "Z:\a\b"; Windows paths are returned unchanged.
std::string WindowsPath(const std::string& path);
// Set from --program=PATH and --artifacts=FOLDER by the driver's main().
const std::string& ProgramPath();
const std::string& ArtifactFolder();
void SetProgramPath(const std::string& path);
void SetArtifactFolder(const std::string& folder);

}  // namespace gui
