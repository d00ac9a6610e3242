#pragma once
// The main window's logic: its four event handlers and the state it keeps.
// It sees its controls only through LauncherView, so it runs the same against
// the real window and against the headless one of the tests.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "launcher/LauncherView.h"
#include "platform/Platform.h"
#include "registry/cRegistry.h"

class frmLauncher {
public:
    frmLauncher(LauncherView& view, Platform& platform);

    void Form_Load();
    void Form_Resize();
    // `position`: the clicked row, counted from 1 in displayed order.
    void lvMaps_ItemClick(int position);
    void cmdStart_Click();

    std::int16_t SelectedIndex() const { return selectedIndex_; }
    const std::string& GmpFile() const { return gmpFile_; }
    const std::string& StyFile() const { return styFile_; }
    const std::string& ScrFile() const { return scrFile_; }

private:
    // Created on first use and kept for the window's life.
    cRegistry& Registry();
    // Selects the row of the map launched last and sets SelectedIndex:
    // found among `rows`, the list's rows in displayed order, by what the
    // map is, or else by its stored position, map_index.
    void RestoreMapSelection(const std::vector<MapEntry>& rows);

    LauncherView& view_;
    Platform& platform_;
    std::unique_ptr<cRegistry> registry_;

    std::int16_t selectedIndex_ = 0;
    std::string gmpFile_;
    std::string styFile_;
    std::string scrFile_;
};
