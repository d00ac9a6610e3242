#pragma once
// A move-only owner of one resource (a handle, a key, a block of memory),
// released on every way out of a scope, so that nothing is closed by hand on
// the success path and forgotten on a failure path.
//
//   UniqueKey key(api);  api.OpenKeyEx(..., key.put());
//   if (!key) ...;  key.get();  key.reset();  RegKey raw = key.release();
//
// The closer says which value means "nothing owned" (static Invalid()) and
// how to give a value back (Close). It may carry state, such as the service
// the resource came from or the window a device context belongs to.

#include <utility>

template <typename T, typename Closer>
class UniqueResource {
public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(Closer closer) noexcept : closer_(std::move(closer)) {}
    explicit UniqueResource(T value, Closer closer = Closer()) noexcept : closer_(std::move(closer)), value_(value) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    UniqueResource(UniqueResource&& other) noexcept : closer_(other.closer_), value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            closer_ = other.closer_;
        }
        return *this;
    }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Closer::Invalid(); }

    // Closes what is owned (if anything) and takes `value` instead.
    void reset(T value = Closer::Invalid()) noexcept {
        T old = std::exchange(value_, value);
        if (old != Closer::Invalid()) closer_.Close(old);
    }

    // Gives up ownership without closing.
    T release() noexcept { return std::exchange(value_, Closer::Invalid()); }

    // For out-parameters: closes what is owned first, so reusing an owner
    // never leaks. The call must leave the invalid value behind when it
    // fails, or the owner would close whatever it wrote.
    T* put() noexcept {
        reset();
        return &value_;
    }

private:
    Closer closer_{};
    T value_ = Closer::Invalid();
};
