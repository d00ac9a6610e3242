// The stand-in game's report and its end, for the end-to-end tests.

#include "FakeGame.h"

#include <fstream>

#include "GuiDriver.h"
#include "windows/Handles.h"

namespace gui {

std::map<std::string, std::string> ReadGameReport(const std::string& path) {
    std::map<std::string, std::string> report;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos) report[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return report;
}

DWORD WaitForGameReport(const std::string& path) {
    std::string pid;
    const bool started = WaitUntil([&] {
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
        pid = ReadGameReport(path)["pid"];
        return !pid.empty() && pid.find_first_not_of("0123456789") == std::string::npos;
    });
    return started ? static_cast<DWORD>(std::stoul(pid)) : 0;
}

void EndProcess(DWORD id) {
    if (id == 0) return;
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process) return;
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
}

}  // namespace gui
