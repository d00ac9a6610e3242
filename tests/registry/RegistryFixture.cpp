// The registry suite's scratch keys and raw registry access.

#include "registry/RegistryFixture.h"

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

void RegistryTest::SetUp() {
    world = MakeRegistryTestWorld();
    reg = std::make_unique<cRegistry>(world->Api(), world->ExecutableName());
    name = world->UniqueName();
    scratch = "Software\\" + name;
    RemoveAfterwards(kHkeyCurrentUser, scratch);
}

void RegistryTest::TearDown() {
    reg.reset();
    for (auto it = removals_.rbegin(); it != removals_.rend(); ++it) RemoveTree(it->first, it->second);
    for (const auto& removal : removals_) {
        EXPECT_FALSE(RawKeyExists(removal.first, removal.second)) << "left behind: " << removal.second;
    }
    if (world->OpenHandleCount() >= 0) {
        EXPECT_EQ(world->OpenHandleCount(), 0) << "registry keys left open";
    }
}

void RegistryTest::RemoveAfterwards(std::int32_t root, const std::string& path) { removals_.emplace_back(root, path); }

void RegistryTest::RemoveTree(std::int32_t root, const std::string& path) { RemoveTree(RootKey(root), path); }

// Works relative to open keys: a long key name below a long path would
// exceed what the narrow-text calls accept as one path.
void RegistryTest::RemoveTree(RegKey parent, const std::string& path) {
    RegistryApi& api = world->Api();
    {
        UniqueKey key(api);
        if (api.OpenKeyEx(parent, path, 0x8 | 0x1, key.put()) != 0) return;
        std::vector<std::string> children;
        char child[512];
        for (std::uint32_t index = 0; api.EnumKey(key.get(), index, child, sizeof child) == 0; ++index) {
            children.push_back(child);
        }
        for (const std::string& c : children) RemoveTree(key.get(), c);
    }
    api.DeleteKey(parent, path);
}

void RegistryTest::PutRaw(std::int32_t root, const std::string& path, const std::string& valueName, std::uint32_t type,
                          const Bytes& data) {
    RegistryApi& api = world->Api();
    UniqueKey key(api);
    ASSERT_EQ(api.CreateKeyEx(RootKey(root), path, 0x3F, key.put()), 0) << path;
    EXPECT_EQ(api.SetValueEx(key.get(), valueName, type, data.data(), static_cast<std::uint32_t>(data.size())), 0);
}

bool RegistryTest::RawKeyExists(std::int32_t root, const std::string& path) {
    UniqueKey key(world->Api());
    return world->Api().OpenKeyEx(RootKey(root), path, 0x1, key.put()) == 0;
}

void RegistryTest::At(const std::string& valueName, std::int32_t root) {
    reg->ClassKey(root);
    reg->SectionKey(scratch);
    reg->ValueKey(valueName);
}
