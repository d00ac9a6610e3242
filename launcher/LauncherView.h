#pragma once
// What the window logic needs of its window and its two controls. The Win32
// window implements it with a real list view; native tests use a headless
// model. Positions of rows count from 1 in displayed order; columns count
// from 1, in the order of launcher/MapColumns.h. Sizes are in twips.

#include <cstdint>
#include <string>
#include <vector>

#include "launcher/MapEntry.h"

// The error numbers of the list's misuses: a size it cannot take, and a row
// or column it cannot reach or add.
inline constexpr std::int32_t kErrInvalidPropertyValue = 380;
inline constexpr std::int32_t kErrIndexOutOfBounds = 35600;

class LauncherView {
public:
    virtual ~LauncherView() = default;

    // The start-up has finished `step`: a window that measures its start
    // notes the time. Nothing else happens.
    virtual void StartupStepDone(const char* /*step*/) {}

    // The window.
    virtual void SetCaption(const std::string& caption) = 0;
    virtual int OuterWidthTwips() const = 0;
    virtual int OuterHeightTwips() const = 0;

    // The list's size. Throw Failure for a size the list cannot take (a
    // negative one); the list then keeps its size.
    virtual void SetListWidthTwips(int width) = 0;
    virtual void SetListHeightTwips(int height) = 0;

    // List set-up: report view with column headers, no in-place renaming,
    // whole-row highlighting and grid lines.
    virtual void ApplyListOptions() = 0;
    virtual void AddColumn(const std::string& title, int widthTwips) = 0;
    virtual void SetColumnTitle(int column, const std::string& title) = 0;
    // The selected row stays highlighted while the list lacks the focus.
    virtual void KeepSelectionVisibleWithoutFocus() = 0;

    // Rows. The logic owns the order: it hands over the whole catalogue,
    // already sorted, so that the list never has to be asked where a row goes.
    virtual int RowCount() const = 0;
    // Adds the rows after any already there, in the order given. Throws
    // Failure when the list refuses one; the rows before it stay.
    virtual void AppendRows(const std::vector<MapEntry>& rows) = 0;
    // Throws Failure when there is no such row or column.
    virtual std::string CellText(int position, int column) const = 0;
    // Throws Failure when there is no such row.
    virtual void SelectRow(int position) = 0;
    virtual void ScrollRowIntoView(int position) = 0;
    // 0 when no row is selected.
    virtual int SelectedRow() const = 0;
};
