#pragma once
// The Win32 owners: the portable owner with a closer for each kind of
// resource the Windows side holds.
//
//   UniqueHandle process(OpenProcess(...));   // closed by CloseHandle
//   UniqueHkey key;  RegOpenKeyExA(..., key.put());
//   UniqueWindowDc screen(GetDC(nullptr), nullptr);   // ReleaseDC(nullptr, ...)
//
// Each owner knows which value means "nothing owned": most kernel handles use
// null, but CreateFile and the Tool Help snapshot return INVALID_HANDLE_VALUE.

#include <windows.h>

#include "platform/UniqueResource.h"

namespace handle_traits {

struct Kernel {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};

// CreateFile, CreateToolhelp32Snapshot: failure is INVALID_HANDLE_VALUE.
struct KernelFile {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};

struct FindFile {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::FindClose(h); }
};

struct RegistryKey {
    static HKEY Invalid() noexcept { return nullptr; }
    // The predefined roots (HKEY_CURRENT_USER...) are never closed: closing
    // one would be harmless on Windows but is a mistake in intent.
    static void Close(HKEY k) noexcept {
        if (reinterpret_cast<ULONG_PTR>(k) < reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT)) ::RegCloseKey(k);
    }
};

// Memory that the shell or COM hands back. The free function is passed in
// once it is bound: naming CoTaskMemFree here would load ole32 at every start.
class CoTaskMemory {
public:
    using FreeFunction = void(WINAPI*)(void*);
    CoTaskMemory(FreeFunction free = nullptr) noexcept : free_(free) {}
    static void* Invalid() noexcept { return nullptr; }
    void Close(void* p) const noexcept {
        if (free_) free_(p);
    }

private:
    FreeFunction free_;
};

// FormatMessage's FORMAT_MESSAGE_ALLOCATE_BUFFER text.
struct LocalMemory {
    static void* Invalid() noexcept { return nullptr; }
    static void Close(void* p) noexcept { ::LocalFree(p); }
};

struct GdiObject {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Close(HGDIOBJ o) noexcept { ::DeleteObject(o); }
};

// An icon made by LoadImage without LR_SHARED.
struct Icon {
    static HICON Invalid() noexcept { return nullptr; }
    static void Close(HICON icon) noexcept { ::DestroyIcon(icon); }
};

struct Library {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE m) noexcept { ::FreeLibrary(m); }
};

// A device context made by CreateCompatibleDC.
struct MemoryDc {
    static HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC dc) noexcept { ::DeleteDC(dc); }
};

// A device context borrowed by GetDC goes back to the window it came from.
class WindowDc {
public:
    WindowDc(HWND window = nullptr) noexcept : window_(window) {}
    static HDC Invalid() noexcept { return nullptr; }
    void Close(HDC dc) const noexcept { ::ReleaseDC(window_, dc); }

private:
    HWND window_;
};

}  // namespace handle_traits

using UniqueHandle = UniqueResource<HANDLE, handle_traits::Kernel>;
using UniqueFileHandle = UniqueResource<HANDLE, handle_traits::KernelFile>;
using UniqueFindHandle = UniqueResource<HANDLE, handle_traits::FindFile>;
using UniqueHkey = UniqueResource<HKEY, handle_traits::RegistryKey>;
using UniqueCoTaskMem = UniqueResource<void*, handle_traits::CoTaskMemory>;
using UniqueLocalMemory = UniqueResource<void*, handle_traits::LocalMemory>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, handle_traits::GdiObject>;
using UniqueIcon = UniqueResource<HICON, handle_traits::Icon>;
using UniqueLibrary = UniqueResource<HMODULE, handle_traits::Library>;
using UniqueMemoryDc = UniqueResource<HDC, handle_traits::MemoryDc>;
using UniqueWindowDc = UniqueResource<HDC, handle_traits::WindowDc>;
