// Stand-in implementation of LauncherView (launcher/LauncherView.h), in memory.

#include "standin/HeadlessView.h"

#include "launcher/MapColumns.h"
#include "platform/Failure.h"

void HeadlessView::SetListWidthTwips(int width) {
    if (width < 0) throw Failure(kErrInvalidPropertyValue, "", "Invalid property value");
    listWidth_ = width;
}

void HeadlessView::SetListHeightTwips(int height) {
    if (height < 0) throw Failure(kErrInvalidPropertyValue, "", "Invalid property value");
    listHeight_ = height;
}

void HeadlessView::SetColumnTitle(int column, const std::string& title) {
    if (column < 1 || column > static_cast<int>(columns_.size())) {
        throw Failure(kErrIndexOutOfBounds, "", "Index out of bounds");
    }
    columns_[column - 1].first = title;
}

void HeadlessView::RequireRow(int position) const {
    if (position < 1 || position > RowCount()) throw Failure(kErrIndexOutOfBounds, "", "Index out of bounds");
}

// As the real list, only the columns added so far have cells to give.
std::string HeadlessView::CellText(int position, int column) const {
    RequireRow(position);
    if (column < 1 || column > static_cast<int>(columns_.size()) || column > kMapColumnCount) {
        throw Failure(kErrIndexOutOfBounds, "", "Index out of bounds");
    }
    return rows_[position - 1].*kMapColumns[column - 1].field;
}

void HeadlessView::SelectRow(int position) {
    RequireRow(position);
    selected_ = position;
}

void HeadlessView::ScrollRowIntoView(int position) {
    RequireRow(position);
    rowScrolledIntoView_ = position;
}

void HeadlessView::UserSelects(int position) {
    if (position != 0) RequireRow(position);
    selected_ = position;
}

void HeadlessView::ShowRows(const std::vector<MapEntry>& rows) {
    if (columns_.empty()) {
        for (const MapColumn& column : kMapColumns) AddColumn(column.title, column.widthTwips);
    }
    AppendRows(rows);
}
