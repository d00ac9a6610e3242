#pragma once
// Move-only owners of Win32 resources, so that no handle is closed by hand on
// the success path and forgotten on a failure path.
//
//   UniqueHandle process(OpenProcess(...));   // closed by CloseHandle
//   UniqueHkey key;  RegOpenKeyExA(..., key.put());
//   if (!key) ...;   key.get();  key.reset();  HKEY raw = key.release();
//
// Each owner knows which value means "nothing owned": most kernel handles use
// null, but CreateFile and the Tool Help snapshot return INVALID_HANDLE_VALUE.

#include <windows.h>

#include <objbase.h>

#include <utility>

template <typename T, typename Traits>
class UniqueResource {
public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T value) noexcept : value_(value) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

    // Closes what is owned (if anything) and takes `value` instead.
    void reset(T value = Traits::Invalid()) noexcept {
        T old = std::exchange(value_, value);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

    // Gives up ownership without closing.
    T release() noexcept { return std::exchange(value_, Traits::Invalid()); }

    // For out-parameters (RegOpenKeyExA(..., key.put())): closes what is
    // owned first, so reusing an owner never leaks.
    T* put() noexcept {
        reset();
        return &value_;
    }

private:
    T value_ = Traits::Invalid();
};

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

struct CoTaskMemory {
    static void* Invalid() noexcept { return nullptr; }
    static void Close(void* p) noexcept { ::CoTaskMemFree(p); }
};

struct GdiObject {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Close(HGDIOBJ o) noexcept { ::DeleteObject(o); }
};

struct Library {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE m) noexcept { ::FreeLibrary(m); }
};

}  // namespace handle_traits

using UniqueHandle = UniqueResource<HANDLE, handle_traits::Kernel>;
using UniqueFileHandle = UniqueResource<HANDLE, handle_traits::KernelFile>;
using UniqueFindHandle = UniqueResource<HANDLE, handle_traits::FindFile>;
using UniqueHkey = UniqueResource<HKEY, handle_traits::RegistryKey>;
using UniqueCoTaskMem = UniqueResource<void*, handle_traits::CoTaskMemory>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, handle_traits::GdiObject>;
using UniqueLibrary = UniqueResource<HMODULE, handle_traits::Library>;
