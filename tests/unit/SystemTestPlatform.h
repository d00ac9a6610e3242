#pragma once
// The stand-in services the system-routine tests run against; the registry is
// the test's own, as only the folder picker writes one.

#include "platform/Platform.h"
#include "standin/RecordingMessages.h"
#include "standin/ScriptedFolderDialog.h"
#include "standin/StandinFileSystem.h"
#include "standin/StandinProcesses.h"

struct SystemTestPlatform {
    StandinFileSystem files;
    StandinProcesses processes;
    ScriptedFolderDialog folderDialog;
    RecordingMessages messages;

    Platform With(RegistryApi& registry) {
        return Platform{registry, files, processes, folderDialog, messages, "Brindleway"};
    }
};
