// Windows implementation of the map list declared in Win32MapList.h.

#include "windows/Win32MapList.h"

#include <commctrl.h>

#include "launcher/LauncherView.h"
#include "launcher/MapColumns.h"
#include "platform/Failure.h"

namespace {

// The list view never shows its text: screen readers take it as its name.
const char kListName[] = "Maps";

[[noreturn]] void FailOutOfBounds(const char* what = "Index out of bounds") {
    throw Failure(kErrIndexOutOfBounds, "", what);
}

}  // namespace

bool Win32MapList::Create(HWND parent, HINSTANCE instance, int id, const RECT& place) {
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, kListName,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_SHAREIMAGELISTS, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    return list_ != nullptr;
}

void Win32MapList::ApplyOptions() {
    LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
    // The logic owns the order: the control must never sort on its own.
    style &= ~static_cast<LONG_PTR>(LVS_TYPEMASK | LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING |
                                    LVS_NOCOLUMNHEADER);
    style |= LVS_REPORT | LVS_SINGLESEL;
    SetWindowLongPtrA(list_, GWL_STYLE, style);
    // A cell cut short by its column shows its whole text when pointed at.
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

void Win32MapList::AddColumn(const std::string& title, int widthPixels) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = widthPixels;
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = columnCount_;
    if (SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(columnCount_), reinterpret_cast<LPARAM>(&column)) <
        0) {
        FailOutOfBounds("The column could not be added");
    }
    ++columnCount_;
}

void Win32MapList::SetColumnTitle(int column, const std::string& title) {
    if (column < 1 || column > columnCount_) FailOutOfBounds();
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT;
    header.pszText = const_cast<char*>(title.c_str());
    SendMessageA(list_, LVM_SETCOLUMNA, static_cast<WPARAM>(column - 1), reinterpret_cast<LPARAM>(&header));
}

void Win32MapList::KeepSelectionVisibleWithoutFocus() {
    SetWindowLongPtrA(list_, GWL_STYLE, GetWindowLongPtrA(list_, GWL_STYLE) | LVS_SHOWSELALWAYS);
}

void Win32MapList::RescaleColumns(int oldDpi, int newDpi) {
    for (int column = 0; column < columnCount_; ++column) {
        const int width = static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageA(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(MulDiv(width, newDpi, oldDpi), 0));
    }
}

int Win32MapList::RowCount() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

void Win32MapList::CheckRow(int position) const {
    if (position < 1 || position > RowCount()) FailOutOfBounds();
}

// The list redraws itself for every row added, hidden or not: during the
// load, with thousands of maps, that cost seconds. Drawing is switched off
// for the inserts and back on before anything that scrolls, which the
// control does not do while it may not draw.
void Win32MapList::ResumeDrawing() {
    if (!drawingSuspended_) return;
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    drawingSuspended_ = false;
}

// One insert and a text for each further cell a row, and nothing asked of
// the list: the rows come sorted, so each goes in after the last.
void Win32MapList::AppendRows(const std::vector<MapEntry>& rows, bool holdDrawing) {
    if (holdDrawing && !drawingSuspended_) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        drawingSuspended_ = true;
    }
    int index = RowCount();
    for (const MapEntry& entry : rows) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>((entry.*kMapColumns[0].field).c_str());
        if (SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != index) {
            FailOutOfBounds("The row could not be added");
        }
        for (int sub = 1; sub < kMapColumnCount; ++sub) {
            LVITEMA cell{};
            cell.iSubItem = sub;
            cell.pszText = const_cast<char*>((entry.*kMapColumns[sub].field).c_str());
            // A cell the list cannot hold (out of memory) fails the row, which
            // then goes: a row with an empty file name would launch nothing.
            if (!SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell))) {
                SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
                FailOutOfBounds("The row could not be added");
            }
        }
        ++index;
    }
}

std::string Win32MapList::CellText(int position, int column) const {
    CheckRow(position);
    if (column < 1 || column > columnCount_) FailOutOfBounds();
    // The control says only how much it copied: grow until it fits.
    for (size_t size = 256;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        LVITEMA item{};
        item.iSubItem = column - 1;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const LRESULT length =
            SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item));
        if (length < static_cast<LRESULT>(size) - 1 || size >= (1u << 20)) return std::string(buffer.data());
    }
}

void Win32MapList::SelectRow(int position) {
    CheckRow(position);
    ResumeDrawing();
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item));
    SendMessageA(list_, LVM_SETSELECTIONMARK, 0, position - 1);
}

void Win32MapList::ScrollRowIntoView(int position) {
    ResumeDrawing();
    // A row that is not there is simply not scrolled to.
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position - 1), FALSE);
}

int Win32MapList::SelectedRow() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}

int Win32MapList::RowSelectedBy(const NMHDR& header) const {
    if (header.hwndFrom != list_ || header.code != LVN_ITEMCHANGED) return 0;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    // Only a row becoming selected is a click on it; the deselection of the
    // previous row and focus-only changes are not.
    const bool becameSelected =
        (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    return becameSelected && change.iItem >= 0 ? change.iItem + 1 : 0;
}
