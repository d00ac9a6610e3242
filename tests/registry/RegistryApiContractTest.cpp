// The raw registry calls behave as the accessor expects. Run against the real
// registry too, this keeps the in-memory registry of the native build honest.

#include "registry/RegistryFixture.h"

namespace {

class RegistryApiContract : public RegistryTest {
protected:
    RegistryApi& api() { return world->Api(); }
};

TEST_F(RegistryApiContract, QueryReportsSizesLikeWindows) {
    PutRaw(kHkeyCurrentUser, scratch, "Text", 1, BytesOf(std::string("hello\0", 6)));
    RegKey key = 0;
    ASSERT_EQ(api().OpenKeyEx(RootKey(kHkeyCurrentUser), scratch, 0x1, &key), 0);

    std::uint32_t type = 0xDEADBEEF, size = 0;
    EXPECT_EQ(api().QueryValueEx(key, "TEXT", &type, nullptr, &size), 0);
    EXPECT_EQ(type, 1u);
    EXPECT_EQ(size, 6u);

    std::uint8_t small[3] = {0xCC, 0xCC, 0xCC};
    size = sizeof small;
    EXPECT_EQ(api().QueryValueEx(key, "text", nullptr, small, &size), 234);
    EXPECT_EQ(size, 6u);

    std::uint8_t fits[8] = {};
    size = sizeof fits;
    EXPECT_EQ(api().QueryValueEx(key, "text", nullptr, fits, &size), 0);
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(reinterpret_cast<char*>(fits), "hello");

    EXPECT_EQ(api().QueryValueEx(key, "absent", &type, nullptr, &size), 2);
    // Opened for reading only: no writes through this handle.
    const std::uint8_t byte = 1;
    EXPECT_EQ(api().SetValueEx(key, "w", 3, &byte, 1), 5);
    EXPECT_EQ(api().CloseKey(key), 0);
}

TEST_F(RegistryApiContract, EnumerationEndsWith259AndReportsShortBuffers) {
    PutRaw(kHkeyCurrentUser, scratch + "\\Sub", "LongerName", 1, {});
    UniqueKey owned(api());
    ASSERT_EQ(api().OpenKeyEx(RootKey(kHkeyCurrentUser), scratch, 0x1 | 0x8, owned.put()), 0);
    RegKey key = owned.get();
    char name[16] = {};
    EXPECT_EQ(api().EnumKey(key, 0, name, 3), 234);
    EXPECT_EQ(api().EnumKey(key, 0, name, sizeof name), 0);
    EXPECT_STREQ(name, "Sub");
    EXPECT_EQ(api().EnumKey(key, 1, name, sizeof name), 259);

    ASSERT_EQ(api().OpenKeyEx(RootKey(kHkeyCurrentUser), scratch + "\\Sub", 0x1, owned.put()), 0);
    key = owned.get();
    std::uint32_t longest = 0;
    EXPECT_EQ(api().QueryInfoKey(key, &longest), 0);
    EXPECT_EQ(longest, 10u);
    std::uint32_t length = 5;
    EXPECT_EQ(api().EnumValue(key, 0, name, &length), 234);
    length = sizeof name;
    EXPECT_EQ(api().EnumValue(key, 0, name, &length), 0);
    EXPECT_EQ(length, 10u);
    EXPECT_STREQ(name, "LongerName");
    length = sizeof name;
    EXPECT_EQ(api().EnumValue(key, 1, name, &length), 259);
}

TEST_F(RegistryApiContract, KeysOpenDeleteAndFailWithWindowsCodes) {
    RegKey key = 0;
    EXPECT_EQ(api().OpenKeyEx(RootKey(kHkeyCurrentUser), scratch, 0x1, &key), 2);
    EXPECT_EQ(api().OpenKeyEx(0, "Software", 0x1, &key), 6);
    EXPECT_EQ(api().CreateKeyEx(0, scratch, 0x3F, &key), 6);

    UniqueKey created(api());
    ASSERT_EQ(api().CreateKeyEx(RootKey(kHkeyCurrentUser), scratch + "\\x\\y", 0x3F, created.put()), 0);
    created.reset();
    EXPECT_EQ(api().DeleteKey(RootKey(kHkeyCurrentUser), scratch + "\\x"), 5);
    EXPECT_EQ(api().DeleteKey(RootKey(kHkeyCurrentUser), scratch + "\\x\\y"), 0);
    EXPECT_EQ(api().DeleteKey(RootKey(kHkeyCurrentUser), scratch + "\\x\\y"), 2);
    EXPECT_EQ(api().DeleteKey(RootKey(kHkeyCurrentUser), scratch + "\\x"), 0);
}

TEST_F(RegistryApiContract, ClassesRootIsTheMachinesSoftwareClasses) {
    const std::string cls = name + "Class";
    RemoveAfterwards(kHkeyClassesRoot, cls);
    RemoveAfterwards(kHkeyLocalMachine, "SOFTWARE\\Classes\\" + cls);
    PutRaw(kHkeyClassesRoot, cls, "", 1, BytesOf(std::string("desc\0", 5)));
    RawValue seen = GetRaw(kHkeyLocalMachine, "SOFTWARE\\Classes\\" + cls, "");
    EXPECT_EQ(seen.status, 0);
    EXPECT_EQ(seen.data, BytesOf(std::string("desc\0", 5)));
}

TEST_F(RegistryApiContract, EnvironmentExpansionSizes) {
    world->SetEnvironmentVariable("BRINDLEWAY_TEST_VAR", "value");
    const char* text = "[%BRINDLEWAY_TEST_VAR%|%BRINDLEWAY_NO_SUCH%]";
    const std::string expected = "[value|%BRINDLEWAY_NO_SUCH%]";
    std::uint32_t needed = api().ExpandEnvironmentStrings(text, nullptr, 0);
    EXPECT_EQ(needed, expected.size() + 1);
    // The ANSI form's documented need: one byte more than the size reported.
    std::vector<char> buffer(needed + 1, 'Z');
    EXPECT_EQ(api().ExpandEnvironmentStrings(text, buffer.data(), needed + 1), needed);
    EXPECT_EQ(std::string(buffer.data()), expected);
}

}  // namespace
