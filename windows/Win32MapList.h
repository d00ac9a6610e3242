#pragma once
// The main window's map list: a report list view whose rows are the
// catalogue's, in the columns of launcher/MapColumns.h. It speaks in the
// control's pixels and counts rows and columns from 1; the window converts
// its twips and forwards the list's part of LauncherView here.

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/MapEntry.h"

class Win32MapList {
public:
    // The control, a child of `parent` at `place` (its client pixels); false,
    // with the reason in GetLastError, where it cannot be made.
    bool Create(HWND parent, HINSTANCE instance, int id, const RECT& place);
    HWND Handle() const { return list_; }
    // Its parent is gone, and the control with it.
    void Forget() { list_ = nullptr; }

    void ApplyOptions();
    void AddColumn(const std::string& title, int widthPixels);
    void SetColumnTitle(int column, const std::string& title);
    void KeepSelectionVisibleWithoutFocus();
    // The columns keep their share of the window at a new resolution.
    void RescaleColumns(int oldDpi, int newDpi);

    int RowCount() const;
    // With `holdDrawing` the list does not draw until ResumeDrawing, a
    // selection or a scroll: the load adds its rows that way.
    void AppendRows(const std::vector<MapEntry>& rows, bool holdDrawing);
    std::string CellText(int position, int column) const;
    void SelectRow(int position);
    void ScrollRowIntoView(int position);
    int SelectedRow() const;
    void ResumeDrawing();

    // The row that a notification from the list newly selects, or 0.
    int RowSelectedBy(const NMHDR& header) const;

private:
    void CheckRow(int position) const;

    HWND list_ = nullptr;  // child of the main window: destroyed with it
    int columnCount_ = 0;
    bool drawingSuspended_ = false;
};
