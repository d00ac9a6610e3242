// Writing values and managing keys through the accessor: stored types and
// bytes, and the failures with their exact numbers and descriptions.

#include "registry/RegistryFixture.h"

namespace {

class AccessorWrite : public RegistryTest {
protected:
    // "Failed to set registry value Key: ..." for the scratch key under HKCU.
    std::string SetFailure(const std::string& valueName, const std::string& valueText) {
        return "Failed to set registry value Key: '-2147483647',Section: '" + scratch + "',Key: '" + valueName +
               "' to value: '" + valueText + "'";
    }
};

TEST_F(AccessorWrite, TextIsStoredWithOneNulAndExpandableWhenItHoldsAPercentPair) {
    struct Case {
        std::int32_t valueType;
        TaggedValue value;
        std::uint32_t storedType;
        std::string storedText;
    };
    // Numbers become their text; fractions keep fifteen significant digits.
    const Case cases[] = {
        {1, std::int16_t{3}, 1, "3"},
        {1, std::string("%TEMP%\\x"), 2, "%TEMP%\\x"},
        {1, std::string("%a%"), 2, "%a%"},
        {1, std::string("50%"), 1, "50%"},
        {1, std::string("%%"), 1, "%%"},
        {2, std::string("plain"), 1, "plain"},
        {1, std::monostate{}, 1, ""},
        {1, std::int32_t{-70000}, 1, "-70000"},
        {1, 2.5, 1, "2.5"},
        {1, -1.0 / 3, 1, "-0.333333333333333"},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string valueName = "v" + std::to_string(index++);
        At(valueName);
        reg->ValueType(c.valueType);
        reg->Value(c.value);
        RawValue raw = GetRaw(kHkeyCurrentUser, scratch, valueName);
        EXPECT_EQ(raw.status, 0) << valueName;
        EXPECT_EQ(raw.type, c.storedType) << c.storedText;
        EXPECT_EQ(raw.data, BytesOf(c.storedText + std::string(1, '\0'))) << c.storedText;
    }
}

TEST_F(AccessorWrite, IntegersAreStoredAsLittleEndianDwordForBothNumberTypes) {
    At("zero");
    reg->ValueType(4);
    reg->Value(std::int16_t{0});
    RawValue zero = GetRaw(kHkeyCurrentUser, scratch, "zero");
    EXPECT_EQ(zero.type, 4u);
    EXPECT_EQ(zero.data, (Bytes{0, 0, 0, 0}));

    At("seven");
    reg->ValueType(5);
    reg->Value(std::int32_t{7});
    RawValue seven = GetRaw(kHkeyCurrentUser, scratch, "seven");
    EXPECT_EQ(seven.type, 4u);
    EXPECT_EQ(seven.data, (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(reg->Value(), TaggedValue(std::int32_t{7}));
    EXPECT_EQ(reg->ValueType(), 4);

    // A 16-bit value is sign-extended.
    At("minus2");
    reg->ValueType(4);
    reg->Value(std::int16_t{-2});
    EXPECT_EQ(GetRaw(kHkeyCurrentUser, scratch, "minus2").data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(AccessorWrite, NumberTypeWithoutAnIntegerFailsInsteadOfWritingNothing) {
    const TaggedValue notIntegers[] = {std::string("5"), 2.5, true, std::uint8_t{9}, std::monostate{}};
    for (const TaggedValue& value : notIntegers) {
        At("n");
        reg->ValueType(4);
        Failure failure = FailureOf([&] { reg->Value(value); });
        EXPECT_EQ(failure.Number(), -2147194455);
        EXPECT_EQ(failure.Source(), Source());
        EXPECT_EQ(failure.Description(), SetFailure("n", ToText(value)));
        EXPECT_EQ(GetRaw(kHkeyCurrentUser, scratch, "n").status, 2);
    }
}

TEST_F(AccessorWrite, UnwritableTypesCreateTheKeyThenFail) {
    for (std::int32_t type : {0, 6, 7, 8}) {
        reg->ClassKey(kHkeyCurrentUser);
        reg->SectionKey(scratch + "\\t" + std::to_string(type));
        reg->ValueKey("x");
        reg->ValueType(type);
        Failure failure = FailureOf([&] { reg->Value(std::string("text")); });
        EXPECT_EQ(failure.Number(), -2147194455);
        EXPECT_EQ(failure.Description(), "Failed to set registry value Key: '-2147483647',Section: '" + scratch +
                                             "\\t" + std::to_string(type) + "',Key: 'x' to value: 'text'");
        EXPECT_TRUE(reg->KeyExists());
        EXPECT_EQ(GetRaw(kHkeyCurrentUser, reg->SectionKey(), "x").status, 2);
    }
}

TEST_F(AccessorWrite, ByteArraysAreStoredFromIndexZero) {
    At("bin");
    reg->ValueType(3);
    reg->Value(ByteArray{0, {1, 0, 255}});
    RawValue raw = GetRaw(kHkeyCurrentUser, scratch, "bin");
    EXPECT_EQ(raw.type, 3u);
    EXPECT_EQ(raw.data, (Bytes{1, 0, 255}));

    // Read and written back unchanged: the same bytes.
    TaggedValue read = reg->Value();
    reg->ValueType(3);
    reg->Value(read);
    EXPECT_EQ(GetRaw(kHkeyCurrentUser, scratch, "bin").data, (Bytes{1, 0, 255}));

    At("shifted");
    reg->ValueType(3);
    reg->Value(ByteArray{-1, {9, 8, 7}});
    EXPECT_EQ(GetRaw(kHkeyCurrentUser, scratch, "shifted").data, (Bytes{8, 7}));

    // An empty value read back and written unchanged stays an empty value.
    At("empty");
    reg->ValueType(3);
    reg->Value(ByteArray{0, {}});
    read = reg->Value();
    reg->ValueType(3);
    reg->Value(read);
    raw = GetRaw(kHkeyCurrentUser, scratch, "empty");
    EXPECT_EQ(raw.status, 0);
    EXPECT_EQ(raw.type, 3u);
    EXPECT_TRUE(raw.data.empty());

    Failure noIndexZero = FailureOf([&] { reg->Value(ByteArray{1, {1, 2}}); });
    EXPECT_EQ(noIndexZero.Number(), 9);

    Failure notBytes = FailureOf([&] { reg->Value(std::string("abc")); });
    EXPECT_EQ(notBytes.Number(), 26001);
    EXPECT_EQ(notBytes.Source(), "");
    EXPECT_EQ(notBytes.Description(), "");
}

TEST_F(AccessorWrite, WritingCreatesTheWholePathAndSettingsPersist) {
    reg->ClassKey(kHkeyCurrentUser);
    reg->SectionKey(scratch + "\\a\\b\\c");
    reg->ValueType(1);
    reg->ValueKey("first");
    reg->Value(std::string("1"));
    // Only the value name changes; root, path and type stay.
    reg->ValueKey("second");
    reg->Value(std::string("2"));
    EXPECT_EQ(GetRaw(kHkeyCurrentUser, scratch + "\\a\\b\\c", "first").data, BytesOf(std::string("1\0", 2)));
    EXPECT_EQ(GetRaw(kHkeyCurrentUser, scratch + "\\a\\b\\c", "second").data, BytesOf(std::string("2\0", 2)));
}

TEST_F(AccessorWrite, WriteToAnInvalidRootFailsWithTheSetFailure) {
    reg->ClassKey(0);
    reg->SectionKey(scratch);
    reg->ValueKey("v");
    reg->ValueType(1);
    Failure failure = FailureOf([&] { reg->Value(std::int16_t{12}); });
    EXPECT_EQ(failure.Number(), 26001);
    EXPECT_EQ(failure.Source(), Source());
    EXPECT_EQ(failure.Description(),
              "Failed to set registry value Key: '0',Section: '" + scratch + "',Key: 'v' to value: '12'");
}

TEST_F(AccessorWrite, KeysAreCreatedAndDeleted) {
    reg->ClassKey(kHkeyCurrentUser);
    reg->SectionKey(scratch + "\\made");
    EXPECT_FALSE(reg->KeyExists());
    EXPECT_TRUE(reg->CreateKey());
    EXPECT_TRUE(reg->KeyExists());
    EXPECT_TRUE(reg->CreateKey());  // creating an existing key just opens it

    // A key that still has a subkey is not deleted.
    reg->SectionKey(scratch);
    Failure parent = FailureOf([&] { reg->DeleteKey(); });
    EXPECT_EQ(parent.Number(), 26001);
    EXPECT_TRUE(reg->KeyExists());

    reg->SectionKey(scratch + "\\made");
    EXPECT_TRUE(reg->DeleteKey());
    EXPECT_FALSE(reg->KeyExists());

    Failure absent = FailureOf([&] { reg->DeleteKey(); });
    EXPECT_EQ(absent.Number(), 26001);
    EXPECT_EQ(absent.Source(), Source());
    EXPECT_EQ(absent.Description(), "Failed to delete registry Key: '-2147483647',Section: '" + scratch + "\\made");
}

TEST_F(AccessorWrite, ValuesAreDeletedAndMissingOnesReported) {
    PutRaw(kHkeyCurrentUser, scratch, "doomed", 1, BytesOf(std::string("x\0", 2)));
    At("doomed");
    EXPECT_TRUE(reg->DeleteValue());
    EXPECT_EQ(GetRaw(kHkeyCurrentUser, scratch, "doomed").status, 2);

    Failure absentValue = FailureOf([&] { reg->DeleteValue(); });
    EXPECT_EQ(absentValue.Number(), 26001);
    EXPECT_EQ(absentValue.Source(), Source());
    EXPECT_EQ(absentValue.Description(),
              "Failed to delete registry Key: '-2147483647',Section: '" + scratch + "',Key: 'doomed");

    reg->SectionKey(scratch + "\\none");
    Failure absentKey = FailureOf([&] { reg->DeleteValue(); });
    EXPECT_EQ(absentKey.Number(), 26001);
    EXPECT_EQ(absentKey.Description(),
              "Failed to open key '-2147483647',Section: '" + scratch + "\\none' for delete access");
}

TEST_F(AccessorWrite, RefusedWritesRaiseTheirFailures) {
    if (!world->RefuseWritesUnder(kHkeyLocalMachine)) GTEST_SKIP() << "the real registry grants these writes";
    reg->ClassKey(kHkeyLocalMachine);
    reg->SectionKey("Software\\Refused");
    reg->ValueKey("v");
    reg->ValueType(1);
    Failure write = FailureOf([&] { reg->Value(std::string("t")); });
    EXPECT_EQ(write.Number(), 26001);
    EXPECT_EQ(write.Description(),
              "Failed to set registry value Key: '-2147483646',Section: 'Software\\Refused',Key: 'v' to value: 't'");
    EXPECT_EQ(FailureOf([&] { reg->CreateKey(); }).Number(), 26001);
    reg->SectionKey("SOFTWARE");
    EXPECT_EQ(FailureOf([&] { reg->DeleteValue(); }).Description(),
              "Failed to open key '-2147483646',Section: 'SOFTWARE' for delete access");
    // Reading is still allowed.
    EXPECT_TRUE(reg->KeyExists());
}

}  // namespace
