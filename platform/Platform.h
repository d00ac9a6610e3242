#pragma once
// Every operating-system service the logic uses, bundled so that the window
// logic and the system routines can be handed the real Win32 set or the
// stand-in set used by the native tests.

#include <string>

class RegistryApi;
class FileSystem;
class ProcessApi;
class FolderDialog;
class UserMessages;

struct Platform {
    RegistryApi& registry;
    FileSystem& files;
    ProcessApi& processes;
    FolderDialog& folderDialog;
    UserMessages& messages;
    // The running program's file name without folder and extension; the
    // registry accessor names itself after it in its failures.
    std::string executableName;
};
