#pragma once
// What the registry suite needs from the build it runs in: a registry, the
// name the accessor puts in its failures, an environment, and unique names
// for scratch keys. Natively this is the in-memory registry; on Windows (and
// under Wine) the real one. Every test reads a stored value back through
// ReadRawValue, whichever registry it runs against.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/RegistryApi.h"

class RegistryTestWorld {
public:
    virtual ~RegistryTestWorld() = default;

    virtual RegistryApi& Api() = 0;
    // The running program's name as the accessor's failures carry it.
    virtual std::string ExecutableName() const = 0;
    virtual void SetEnvironmentVariable(const std::string& name, const std::string& value) = 0;
    // A name no other run or test uses, fit for a key name.
    virtual std::string UniqueName() = 0;

    // Only the stand-in can do these; the real registry answers -1 / false.
    virtual int OpenHandleCount() const { return -1; }
    virtual bool RefuseWritesUnder(std::int32_t /*root*/) { return false; }
    virtual bool BeforeNextDataQuery(std::function<void()> /*change*/) { return false; }
};

std::unique_ptr<RegistryTestWorld> MakeRegistryTestWorld();

using Bytes = std::vector<std::uint8_t>;

// A value as stored, read without the accessor under test.
struct RawValue {
    long status = -1;
    std::uint32_t type = 0xDEADBEEF;
    Bytes data;

    // The stored text without its terminating NUL; nothing when the value
    // could not be read.
    std::optional<std::string> Text() const {
        if (status != 0) return std::nullopt;
        std::string text(data.begin(), data.end());
        if (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }
};

inline RawValue ReadRawValue(RegistryApi& api, std::int32_t root, const std::string& path, const std::string& name) {
    RawValue raw;
    UniqueKey key(api);
    raw.status = api.OpenKeyEx(RootKey(root), path, kKeyQueryValue, key.put());
    if (raw.status != 0) return raw;
    std::uint32_t size = 0;
    raw.status = api.QueryValueEx(key.get(), name, &raw.type, nullptr, &size);
    if (raw.status == 0) {
        raw.data.assign(size, 0xCC);
        raw.status = api.QueryValueEx(key.get(), name, nullptr, raw.data.data(), &size);
        raw.data.resize(size);
    }
    return raw;
}
