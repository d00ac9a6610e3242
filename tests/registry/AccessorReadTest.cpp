// Reading values through the accessor: conversions by stored type, the
// fallback, and what a read does to ValueType.

#include <optional>

#include "registry/RegistryFixture.h"

namespace {

class AccessorRead : public RegistryTest {};

TEST_F(AccessorRead, FreshAccessorHasNoPositionAndCannotCreate) {
    EXPECT_EQ(reg->ClassKey(), 0);
    EXPECT_EQ(reg->SectionKey(), "");
    EXPECT_EQ(reg->ValueKey(), "");
    EXPECT_EQ(reg->ValueType(), 0);
    EXPECT_FALSE(reg->KeyExists());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg->Value()));
    EXPECT_EQ(reg->ValueType(), 0);

    Failure failure = FailureOf([&] { reg->CreateKey(); });
    EXPECT_EQ(failure.Number(), 26001);
    EXPECT_EQ(failure.Source(), Source());
    EXPECT_EQ(failure.Description(), "Failed to create registry Key: '");
}

TEST_F(AccessorRead, MissingValueOrKeyGivesCopyOfDefaultAndKeepsValueType) {
    PutRaw(kHkeyCurrentUser, scratch, "present", 1, BytesOf(std::string("x", 2)));
    reg->Default(std::string("fallback"));
    reg->ValueType(3);

    At("absent");
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("fallback")));
    EXPECT_EQ(reg->ValueType(), 3);

    reg->SectionKey(scratch + "\\no such key");
    reg->ValueKey("present");
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("fallback")));
    EXPECT_EQ(reg->ValueType(), 3);

    reg->ClassKey(0);
    reg->SectionKey(scratch);
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("fallback")));
}

TEST_F(AccessorRead, TextDropsOnlyATerminatingNul) {
    PutRaw(kHkeyCurrentUser, scratch, "terminated", 1, BytesOf(std::string("abc\0", 4)));
    PutRaw(kHkeyCurrentUser, scratch, "empty", 1, {});
    PutRaw(kHkeyCurrentUser, scratch, "unterminated", 1, BytesOf("abc"));
    PutRaw(kHkeyCurrentUser, scratch, "multi", 7, BytesOf(std::string("a\0b\0\0", 5)));

    At("terminated");
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("abc")));
    EXPECT_EQ(reg->ValueType(), 1);

    At("empty");
    reg->ValueType(0);
    EXPECT_EQ(reg->Value(), TaggedValue(std::string()));
    EXPECT_EQ(reg->ValueType(), 1);

    // Stored without a terminator: every character is kept.
    At("unterminated");
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("abc")));

    At("multi");
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("a\0b\0", 4)));
    EXPECT_EQ(reg->ValueType(), 7);
}

TEST_F(AccessorRead, ExpandableTextExpandsKnownVariablesOnly) {
    world->SetEnvironmentVariable("BRINDLEWAY_TEST_DIR", "C:\\Games");
    PutRaw(kHkeyCurrentUser, scratch, "known", 2, BytesOf(std::string("%BRINDLEWAY_TEST_DIR%\\GTA2\0", 27)));
    PutRaw(kHkeyCurrentUser, scratch, "unknown", 2, BytesOf(std::string("%BRINDLEWAY_NO_SUCH%\\x\0", 23)));

    At("known");
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("C:\\Games\\GTA2")));
    EXPECT_EQ(reg->ValueType(), 2);
    At("unknown");
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("%BRINDLEWAY_NO_SUCH%\\x")));
}

TEST_F(AccessorRead, NumbersInBothByteOrders) {
    PutRaw(kHkeyCurrentUser, scratch, "little", 4, {0x01, 0x02, 0x00, 0x00});
    PutRaw(kHkeyCurrentUser, scratch, "negative", 4, {0xFF, 0xFF, 0xFF, 0xFF});
    PutRaw(kHkeyCurrentUser, scratch, "big", 5, {0x00, 0x00, 0x01, 0x02});
    // Only the first four bytes count, with zeros above a shorter value.
    PutRaw(kHkeyCurrentUser, scratch, "short", 4, {0x01, 0x02});
    PutRaw(kHkeyCurrentUser, scratch, "long", 4, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06});

    At("little");
    EXPECT_EQ(reg->Value(), TaggedValue(std::int32_t{513}));
    EXPECT_EQ(reg->ValueType(), 4);
    At("negative");
    EXPECT_EQ(reg->Value(), TaggedValue(std::int32_t{-1}));
    At("big");
    EXPECT_EQ(reg->Value(), TaggedValue(std::int32_t{258}));
    EXPECT_EQ(reg->ValueType(), 5);
    At("short");
    EXPECT_EQ(reg->Value(), TaggedValue(std::int32_t{513}));
    At("long");
    EXPECT_EQ(reg->Value(), TaggedValue(std::int32_t{0x04030201}));
}

TEST_F(AccessorRead, OtherTypesGiveTheirExactBytes) {
    const Bytes bytes = {0x00, 0x7F, 0x80, 0xFF, 0x00};
    PutRaw(kHkeyCurrentUser, scratch, "binary", 3, bytes);
    PutRaw(kHkeyCurrentUser, scratch, "none", 0, {0x41});
    PutRaw(kHkeyCurrentUser, scratch, "qword", 11, {1, 2, 3, 4, 5, 6, 7, 8});
    PutRaw(kHkeyCurrentUser, scratch, "emptybinary", 3, {});

    At("binary");
    EXPECT_EQ(reg->Value(), TaggedValue(ByteArray{0, bytes}));
    EXPECT_EQ(reg->ValueType(), 3);
    At("none");
    EXPECT_EQ(reg->Value(), TaggedValue(ByteArray{0, {0x41}}));
    EXPECT_EQ(reg->ValueType(), 0);
    At("qword");
    EXPECT_EQ(reg->Value(), TaggedValue(ByteArray{0, {1, 2, 3, 4, 5, 6, 7, 8}}));
    EXPECT_EQ(reg->ValueType(), 11);
    At("emptybinary");
    EXPECT_EQ(reg->Value(), TaggedValue(ByteArray{0, {}}));
}

TEST_F(AccessorRead, AValueDeletedOrRewrittenBetweenTheTwoQueriesReadsAsMissing) {
    struct Case {
        const char* what;
        std::uint32_t type;
        Bytes stored;
        std::optional<Bytes> between;  // nothing: deleted
        TaggedValue expected;
    };
    const TaggedValue fallback = std::string("fallback");
    const Case cases[] = {
        {"text deleted", 1, BytesOf(std::string("abc\0", 4)), std::nullopt, fallback},
        {"text grown", 1, BytesOf(std::string("abc\0", 4)), BytesOf(std::string("abcdef\0", 7)), fallback},
        {"text shrunk: read as it now is", 1, BytesOf(std::string("abcdef\0", 7)), BytesOf(std::string("ab\0", 3)),
         std::string("ab")},
        {"number deleted", 4, {1, 0, 0, 0}, std::nullopt, fallback},
        {"number grown", 4, {1, 0, 0, 0}, Bytes{1, 0, 0, 0, 0}, fallback},
        {"bytes deleted", 3, {1, 2, 3}, std::nullopt, fallback},
        {"bytes shrunk", 3, {1, 2, 3}, Bytes{1}, fallback},
    };
    reg->Default(fallback);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutRaw(kHkeyCurrentUser, scratch, "racing", c.type, c.stored);
        const bool staged = world->BeforeNextDataQuery([&] {
            if (c.between) {
                PutRaw(kHkeyCurrentUser, scratch, "racing", c.type, *c.between);
            } else {
                UniqueKey key(world->Api());
                world->Api().OpenKeyEx(RootKey(kHkeyCurrentUser), scratch, kKeySetValue, key.put());
                world->Api().DeleteValue(key.get(), "racing");
            }
        });
        if (!staged) GTEST_SKIP() << "the real registry cannot be made to change between two queries";
        At("racing");
        EXPECT_EQ(reg->Value(), c.expected);
    }
}

TEST_F(AccessorRead, NamesAreFoundWhateverTheirCase) {
    PutRaw(kHkeyCurrentUser, scratch + "\\Debug", "MapName", 1, BytesOf(std::string("ste.gmp\0", 8)));
    reg->ClassKey(kHkeyCurrentUser);
    reg->SectionKey("SOFTWARE\\" + name + "\\debug\\");
    reg->ValueKey("mapname");
    EXPECT_TRUE(reg->KeyExists());
    EXPECT_EQ(reg->Value(), TaggedValue(std::string("ste.gmp")));
}

}  // namespace
