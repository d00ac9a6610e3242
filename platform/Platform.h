#pragma once
// Every operating-system service the logic uses, bundled so that the window
// logic and the system routines can be handed the real Win32 set or the
// stand-in set used by the native tests.

#include <string>

#include "platform/CodePage.h"

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
    // How the system splits text into characters; the stand-ins and the
    // tests that do not care keep to one byte per character.
    const CodePage& codePage = OneBytePerCharacter();
};
