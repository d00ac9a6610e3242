#pragma once
// What the registry suite needs from the build it runs in: a registry, the
// name the accessor puts in its failures, an environment, and unique names
// for scratch keys. Natively this is the in-memory registry; on Windows (and
// under Wine) the real one.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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
