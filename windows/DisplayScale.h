#pragma once
// What the window needs to look right at any resolution: the DPI of the
// monitor it is on, the message font and the icons at a given DPI.
// The per-monitor functions came with Windows 10; each is looked up by name
// when first needed, and where it is missing the system DPI serves: those
// Windows draw every monitor at it.

#include <windows.h>

// The DPI of the screen as a whole, which every Windows before 10 uses for
// all monitors; 96 if the screen cannot say.
int SystemDpi();

// The DPI of the monitor the window is on; `fallback` where Windows cannot
// tell monitors apart.
int WindowDpi(HWND window, int fallback);

// The outer size of a window of that style whose client area is `client`,
// with the frame drawn at `dpi`.
SIZE OuterSizeForDpi(SIZE client, DWORD style, DWORD exStyle, int dpi, int systemDpi);

// The message font the user chose, at `dpi`: the system's own at the system
// DPI, scaled from it elsewhere. Null when none can be made.
HFONT CreateMessageFont(int dpi, int systemDpi);

// The side of an icon at `dpi`, in pixels: SM_CXSMICON for the caption's,
// SM_CXICON for the large one (Alt+Tab, the taskbar).
int IconSize(int metric, int dpi, int systemDpi);
