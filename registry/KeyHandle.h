#pragma once
// Owns one open registry key and closes it on every way out of a scope, so
// that a failure raised halfway through an operation never leaks the key.

#include "platform/RegistryApi.h"

class KeyHandle {
public:
    explicit KeyHandle(RegistryApi& api) : api_(&api) {}
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    KeyHandle(KeyHandle&& other) noexcept : api_(other.api_), key_(other.release()) {}
    ~KeyHandle() { reset(); }

    RegKey get() const { return key_; }
    explicit operator bool() const { return key_ != 0; }
    // Takes over a key only once the registry reported success: what a
    // failed open leaves in its output is not a handle.
    void adopt(RegKey key) {
        reset();
        key_ = key;
    }
    RegKey release() {
        RegKey key = key_;
        key_ = 0;
        return key;
    }
    void reset() {
        if (key_ != 0) api_->CloseKey(key_);
        key_ = 0;
    }

private:
    RegistryApi* api_;
    RegKey key_ = 0;
};
