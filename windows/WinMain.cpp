// The Windows program: builds the real services, creates the main window and
// runs its event loop on this, the only user-interface thread.

#include <windows.h>
// commctrl.h relies on the types of windows.h.
#include <commctrl.h>

#include <string>

#include "launcher/frmLauncher.h"
#include "platform/Platform.h"
#include "windows/ExecutableName.h"
#include "windows/StartupPhases.h"
#include "windows/SystemLibrary.h"
#include "windows/Win32CodePage.h"
#include "windows/Win32FileSystem.h"
#include "windows/Win32FolderDialog.h"
#include "windows/Win32MessageBoxes.h"
#include "windows/Win32Processes.h"
#include "windows/Win32Registry.h"
#include "windows/Win32Window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    MarkStartupPhase("WinMain");
    RestrictLibrarySearchToSystemFolder();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    MarkStartupPhase("common controls");

    try {
        Win32Window window(instance);
        Win32RegistryApi registry;
        Win32FileSystem files;
        Win32Processes processes;
        Win32FolderDialog folderDialog([&window] { return window.Handle(); });
        Win32MessageBoxes messages([&window] { return window.Handle(); });
        Win32CodePage codePage;
        Platform platform{registry, files, processes, folderDialog, messages, ExecutableName(), codePage};

        window.Create();
        frmLauncher form(window, platform);
        window.SetHandlers({[&form] { form.Form_Load(); }, [&form] { form.Form_Resize(); },
                            [&form](int position) { form.lvMaps_ItemClick(position); },
                            [&form] { form.cmdStart_Click(); }});
        window.LoadAndShow(showCommand);
        return window.RunMessageLoop();
    } catch (const std::exception& failure) {
        // Only the window's own creation can get here: the handlers report
        // their failures themselves.
        MessageBoxA(nullptr, failure.what(), kApplicationTitle, MB_OK);
        return 1;
    }
}
