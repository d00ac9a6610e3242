// Listing value names and subkey names of the accessor's current key.

#include "registry/RegistryFixture.h"

namespace {

class Enumeration : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        reg->ClassKey(kHkeyCurrentUser);
        reg->SectionKey(scratch);
    }
    // What a caller had in its variables before the call.
    NameArray stale{"old1", "old2", "old3"};
    std::int32_t count = 3;
};

TEST_F(Enumeration, EmptyKeyListsNothingAndClearsTheCallersList) {
    PutRaw(kHkeyCurrentUser, scratch, "", 1, {});  // makes the key
    EXPECT_TRUE(reg->DeleteValue());               // and leaves it empty
    EXPECT_TRUE(reg->EnumerateValues(stale, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(stale.Count(), 0);

    stale = {"old1", "old2", "old3"};
    count = 3;
    EXPECT_TRUE(reg->EnumerateSections(stale, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(stale.Count(), 0);
}

TEST_F(Enumeration, AbsentKeyOrNoRootListsNothing) {
    for (std::int32_t root : {kHkeyCurrentUser, 0}) {
        reg->ClassKey(root);
        reg->SectionKey(scratch + "\\absent");
        NameArray values{"a", "b", "c"};
        std::int32_t valueCount = 3;
        EXPECT_TRUE(reg->EnumerateValues(values, valueCount));
        EXPECT_EQ(valueCount, 0);
        EXPECT_EQ(values.Count(), 0);
        NameArray sections{"a", "b", "c"};
        std::int32_t sectionCount = 3;
        EXPECT_TRUE(reg->EnumerateSections(sections, sectionCount));
        EXPECT_EQ(sectionCount, 0);
        EXPECT_EQ(sections.Count(), 0);
    }
}

TEST_F(Enumeration, ValueNamesInRegistryOrderFromElementOne) {
    PutRaw(kHkeyCurrentUser, scratch, "", 1, BytesOf(std::string("d\0", 2)));
    PutRaw(kHkeyCurrentUser, scratch, "a", 1, BytesOf(std::string("1\0", 2)));
    PutRaw(kHkeyCurrentUser, scratch, "b", 4, {2, 0, 0, 0});
    const std::string longName(120, 'L');
    PutRaw(kHkeyCurrentUser, scratch, longName, 3, {});

    EXPECT_TRUE(reg->EnumerateValues(stale, count));
    ASSERT_EQ(count, 4);
    ASSERT_EQ(stale.Count(), 4);
    // The unnamed default value shows as empty text.
    EXPECT_EQ(stale[1], "");
    EXPECT_EQ(stale[2], "a");
    EXPECT_EQ(stale[3], "b");
    EXPECT_EQ(stale[4], longName);
    EXPECT_EQ(FailureOf([&] { (void)stale[5]; }).Number(), 9);
    EXPECT_EQ(FailureOf([&] { (void)stale[0]; }).Number(), 9);
    // Neither the position nor the type moved.
    EXPECT_EQ(reg->SectionKey(), scratch);
    EXPECT_EQ(reg->ValueType(), 0);
}

TEST_F(Enumeration, SubkeysAreSinglePartsWithTheirStoredCase) {
    PutRaw(kHkeyCurrentUser, scratch + "\\Beta", "x", 1, {});
    PutRaw(kHkeyCurrentUser, scratch + "\\alpha", "x", 1, {});
    PutRaw(kHkeyCurrentUser, scratch + "\\Gamma\\Deep", "x", 1, {});

    EXPECT_TRUE(reg->EnumerateSections(stale, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(stale.Names(), (std::vector<std::string>{"alpha", "Beta", "Gamma"}));
}

TEST_F(Enumeration, LongestSubkeyNamesDoNotEndTheListing) {
    const std::string longest = "A" + std::string(254, 'x');  // 255: the registry's limit
    const std::string nearly = "B" + std::string(253, 'y');
    // Made relative to the scratch key: the narrow-text calls refuse a whole
    // path longer than 260 characters.
    RegistryApi& api = world->Api();
    {
        UniqueKey parent(api);
        ASSERT_EQ(api.CreateKeyEx(RootKey(kHkeyCurrentUser), scratch, 0x3F, parent.put()), 0);
        for (const std::string& child : {longest, nearly, std::string("C")}) {
            UniqueKey key(api);
            EXPECT_EQ(api.CreateKeyEx(parent.get(), child, 0x3F, key.put()), 0) << child.size();
        }
    }

    EXPECT_TRUE(reg->EnumerateSections(stale, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(stale[1], longest);
    EXPECT_EQ(stale[2], nearly);
    EXPECT_EQ(stale[3], "C");
}

}  // namespace
