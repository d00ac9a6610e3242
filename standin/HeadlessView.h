#pragma once
// Stand-in for the main window and its map list, without any display: it
// keeps what the real window would show and refuses what the real list
// refuses (negative sizes, rows and columns that do not exist), so the window
// logic meets the same failures as on the platform.

#include <string>
#include <utility>
#include <vector>

#include "launcher/LauncherView.h"

class HeadlessView : public LauncherView {
public:
    // Test set-up: the window's outer size as the user left it.
    void SetOuterSizeTwips(int width, int height) {
        outerWidth_ = width;
        outerHeight_ = height;
    }
    // As a click on a row or keyboard selection would do; 0 clears it.
    void UserSelects(int position);
    // A list as the start-up leaves it: its columns, where none was added
    // yet, and then `rows`.
    void ShowRows(const std::vector<MapEntry>& rows);

    // What the logic left behind.
    int ListWidthTwips() const { return listWidth_; }
    int ListHeightTwips() const { return listHeight_; }
    bool ListOptionsApplied() const { return listOptionsApplied_; }
    bool SelectionVisibleWithoutFocus() const { return selectionVisibleWithoutFocus_; }
    const std::vector<std::pair<std::string, int>>& Columns() const { return columns_; }
    const std::vector<MapEntry>& Rows() const { return rows_; }
    int RowScrolledIntoView() const { return rowScrolledIntoView_; }

    std::string Caption() const { return caption_; }

    // LauncherView
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    int OuterWidthTwips() const override { return outerWidth_; }
    int OuterHeightTwips() const override { return outerHeight_; }
    void SetListWidthTwips(int width) override;
    void SetListHeightTwips(int height) override;
    void ApplyListOptions() override { listOptionsApplied_ = true; }
    void AddColumn(const std::string& title, int widthTwips) override { columns_.emplace_back(title, widthTwips); }
    void SetColumnTitle(int column, const std::string& title) override;
    void KeepSelectionVisibleWithoutFocus() override { selectionVisibleWithoutFocus_ = true; }
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    void AppendRows(const std::vector<MapEntry>& rows) override { rows_.insert(rows_.end(), rows.begin(), rows.end()); }
    std::string CellText(int position, int column) const override;
    void SelectRow(int position) override;
    void ScrollRowIntoView(int position) override;
    int SelectedRow() const override { return selected_; }

private:
    void RequireRow(int position) const;

    // The list's size as the window is created.
    int listWidth_ = 10455;
    int listHeight_ = 6495;
    // A window whose client area is 11880 x 7800 with a thin frame.
    int outerWidth_ = 12120;
    int outerHeight_ = 8310;
    std::string caption_;
    bool listOptionsApplied_ = false;
    bool selectionVisibleWithoutFocus_ = false;
    std::vector<std::pair<std::string, int>> columns_;
    std::vector<MapEntry> rows_;
    int selected_ = 0;
    int rowScrolledIntoView_ = 0;
};
