#pragma once
// The stand-in platform the system-service tests run against. The registry
// here is for tests that must never reach it: any call is a test failure.

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/RegistryApi.h"
#include "standin/RecordingMessages.h"
#include "standin/ScriptedFolderDialog.h"
#include "standin/StandinFileSystem.h"
#include "standin/StandinProcesses.h"

class UnreachableRegistry : public RegistryApi {
public:
    long OpenKeyEx(RegKey, const std::string& subKey, std::uint32_t, RegKey*) override { return Reached(subKey); }
    long CreateKeyEx(RegKey, const std::string& subKey, std::uint32_t, RegKey*) override { return Reached(subKey); }
    long QueryValueEx(RegKey, const std::string& name, std::uint32_t*, std::uint8_t*, std::uint32_t*) override {
        return Reached(name);
    }
    long SetValueEx(RegKey, const std::string& name, std::uint32_t, const std::uint8_t*, std::uint32_t) override {
        return Reached(name);
    }
    long DeleteKey(RegKey, const std::string& subKey) override { return Reached(subKey); }
    long DeleteValue(RegKey, const std::string& name) override { return Reached(name); }
    long CloseKey(RegKey) override { return Reached("CloseKey"); }
    long QueryInfoKey(RegKey, std::uint32_t*) override { return Reached("QueryInfoKey"); }
    long EnumValue(RegKey, std::uint32_t, char*, std::uint32_t*) override { return Reached("EnumValue"); }
    long EnumKey(RegKey, std::uint32_t, char*, std::uint32_t) override { return Reached("EnumKey"); }
    std::uint32_t ExpandEnvironmentStrings(const char*, char*, std::uint32_t) override {
        Reached("ExpandEnvironmentStrings");
        return 0;
    }

private:
    static long Reached(const std::string& what) {
        ADD_FAILURE() << "the registry was not to be touched, but was asked about " << what;
        return 5;
    }
};

struct SystemTestPlatform {
    StandinFileSystem files;
    StandinProcesses processes;
    ScriptedFolderDialog folderDialog;
    RecordingMessages messages;
    UnreachableRegistry unreachableRegistry;

    Platform With(RegistryApi& registry) {
        return Platform{registry, files, processes, folderDialog, messages, "Brindleway"};
    }
    Platform WithoutRegistry() { return With(unreachableRegistry); }
};
