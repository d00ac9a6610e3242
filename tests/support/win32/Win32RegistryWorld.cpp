// The registry suite's world in the Windows build: the real registry.

#include <windows.h>

// The world's and the registry's members keep their plain names; the A forms
// are called below.
#undef SetEnvironmentVariable
#undef ExpandEnvironmentStrings

#include "support/RegistryTestWorld.h"
#include "windows/ExecutableName.h"
#include "windows/Win32Registry.h"

namespace {

class Win32RegistryWorld : public RegistryTestWorld {
public:
    RegistryApi& Api() override { return registry_; }
    std::string ExecutableName() const override { return ::ExecutableName(); }
    void SetEnvironmentVariable(const std::string& name, const std::string& value) override {
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    // Process id and start tick keep runs apart; the counter keeps tests apart.
    std::string UniqueName() override {
        static const DWORD tick = GetTickCount();
        static int counter = 0;
        return "BrindlewayTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(tick) + "-" +
               std::to_string(++counter);
    }

private:
    Win32RegistryApi registry_;
};

}  // namespace

std::unique_ptr<RegistryTestWorld> MakeRegistryTestWorld() { return std::make_unique<Win32RegistryWorld>(); }
