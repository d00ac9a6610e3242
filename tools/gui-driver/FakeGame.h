#pragma once
// The stand-in game's side of the end-to-end tests: reading what it reported
// about its start, and ending it.

#include <windows.h>

#include <map>
#include <string>

namespace gui {

// The key=value lines the stand-in game writes into fake-game-report.txt in
// its current folder (folder, command_line, pid, the debug values).
std::map<std::string, std::string> ReadGameReport(const std::string& path);

// Waits until the report at `path` names the game's process: a report seen
// before its every line can be read is not yet the game's word. The process
// id, or 0 when no game reported in time.
DWORD WaitForGameReport(const std::string& path);

// Ends the process with this id, if it still runs, and waits for its end.
void EndProcess(DWORD id);

}  // namespace gui
