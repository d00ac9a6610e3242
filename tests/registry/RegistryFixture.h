#pragma once
// Base of the registry suite: a fresh accessor, a scratch key below
// HKEY_CURRENT_USER\Software that is removed afterwards (with any other key
// a test registers), raw access to the registry for arranging and checking
// stored bytes, and, where the registry can count them, a check that no
// key handle was left open.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Failure.h"
#include "registry/cRegistry.h"
#include "support/RegistryTestWorld.h"

Bytes BytesOf(const std::string& text);

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Removed with everything below it when the test ends.
    void RemoveAfterwards(std::int32_t root, const std::string& path);

    void PutRaw(std::int32_t root, const std::string& path, const std::string& name, std::uint32_t type,
                const Bytes& data);
    RawValue GetRaw(std::int32_t root, const std::string& path, const std::string& name) {
        return ReadRawValue(world->Api(), root, path, name);
    }
    bool RawKeyExists(std::int32_t root, const std::string& path);

    // Points the accessor at the scratch key and the given value name.
    void At(const std::string& valueName, std::int32_t root = kHkeyCurrentUser);

    std::string Source() const { return world->ExecutableName() + ".cRegistry"; }

    std::unique_ptr<RegistryTestWorld> world;
    std::unique_ptr<cRegistry> reg;
    std::string name;     // unique per test
    std::string scratch;  // "Software\<name>", below HKEY_CURRENT_USER

private:
    void RemoveTree(std::int32_t root, const std::string& path);
    void RemoveTree(RegKey parent, const std::string& path);
    std::vector<std::pair<std::int32_t, std::string>> removals_;
};

// Runs `action`, expecting it to raise a Failure, and hands the failure back.
template <typename Action>
Failure FailureOf(Action&& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure;
    }
    ADD_FAILURE() << "no failure was raised";
    return Failure(0, "<none>", "<none>");
}
