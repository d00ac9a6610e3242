// Registering file types: the keys and texts written below both roots, and
// the verbs added to a registered class.

#include "registry/RegistryFixture.h"

namespace {

const char kMachineClasses[] = "SOFTWARE\\Classes\\";

class Association : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        cls = name + "Class";
        ext = "bw" + name.substr(name.find('-') + 1);
        for (const std::string& key : {cls, "." + ext, ".." + ext}) {
            RemoveAfterwards(kHkeyClassesRoot, key);
            RemoveAfterwards(kHkeyLocalMachine, kMachineClasses + key);
        }
    }

    // The text stored as the default value of `key`, checked to be the same
    // below both roots; "<absent>" when the key or value is missing.
    std::string Row(const std::string& key) {
        RawValue classes = GetRaw(kHkeyClassesRoot, key, "");
        RawValue machine = GetRaw(kHkeyLocalMachine, kMachineClasses + key, "");
        EXPECT_EQ(classes.status, machine.status) << key;
        EXPECT_EQ(classes.data, machine.data) << key;
        if (classes.status != 0) return "<absent>";
        EXPECT_TRUE(classes.type == 1 || classes.type == 2) << key;
        EXPECT_FALSE(classes.data.empty()) << key;
        if (classes.data.empty()) return "";
        EXPECT_EQ(classes.data.back(), 0) << key;
        return std::string(classes.data.begin(), classes.data.end() - 1);
    }

    std::string cls;
    std::string ext;
};

TEST_F(Association, FourArgumentsWriteOpenVerbOnly) {
    reg->CreateEXEAssociation("  \"C:\\Tools\\app.exe\" ", cls, "Test document", ext);

    EXPECT_EQ(Row("." + ext), cls);
    EXPECT_EQ(Row(cls), "Test document");
    EXPECT_EQ(Row(cls + "\\shell\\open"), "&Open");
    EXPECT_EQ(Row(cls + "\\shell\\open\\command"), "\"C:\\Tools\\app.exe\" \"%1\"");
    for (const char* absent : {"\\shell\\print", "\\shell\\add", "\\shell\\new", "\\DefaultIcon"}) {
        EXPECT_FALSE(RawKeyExists(kHkeyClassesRoot, cls + absent)) << absent;
    }
    // Left at the last row's position.
    EXPECT_EQ(reg->ClassKey(), kHkeyLocalMachine);
    EXPECT_EQ(reg->SectionKey(), cls + "\\shell\\open\\command");
    EXPECT_EQ(reg->ValueKey(), "");
    EXPECT_EQ(reg->ValueType(), 1);
}

TEST_F(Association, PathIsQuotedHoweverItWasGiven) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Tools\\app.exe", "\"C:\\Tools\\app.exe\""},
        {" C:\\Tools\\app.exe  ", "\"C:\\Tools\\app.exe\""},
        {"\"C:\\Tools\\app.exe", "\"C:\\Tools\\app.exe\""},
        {"C:\\Tools\\app.exe\"", "\"C:\\Tools\\app.exe\""},
        {"", "\""},
    };
    for (const auto& c : cases) {
        reg->CreateEXEAssociation(c.first, cls, "d", ext);
        EXPECT_EQ(Row(cls + "\\shell\\open\\command"), c.second + " \"%1\"") << c.first;
    }
}

TEST_F(Association, EveryOptionWithEmptyMenuTextsGetsItsDefaultText) {
    reg->CreateEXEAssociation("C:\\Tools\\app.exe", cls, "d", ext, "", true, "", true, "", true, "", 0);
    const std::string p = "\"C:\\Tools\\app.exe\"";
    EXPECT_EQ(Row(cls + "\\shell\\open"), "&Open");
    EXPECT_EQ(Row(cls + "\\shell\\print"), "&Print");
    EXPECT_EQ(Row(cls + "\\shell\\print\\command"), p + " /p \"%1\"");
    EXPECT_EQ(Row(cls + "\\shell\\add"), "&Install " + ext);
    EXPECT_EQ(Row(cls + "\\shell\\add\\command"), p + " /a \"%1\"");
    EXPECT_EQ(Row(cls + "\\shell\\new"), "&New");
    EXPECT_EQ(Row(cls + "\\shell\\new\\command"), p + " /n \"%1\"");
    EXPECT_EQ(Row(cls + "\\DefaultIcon"), p + ",0");
    EXPECT_EQ(reg->SectionKey(), cls + "\\DefaultIcon");
}

TEST_F(Association, GivenMenuTextsAndIconIndexAreKept) {
    reg->CreateEXEAssociation("app.exe", cls, "d", ext, "&View", true, "Print &it", true, "Make &new", true, "&Add it",
                              3);
    EXPECT_EQ(Row(cls + "\\shell\\open"), "&View");
    EXPECT_EQ(Row(cls + "\\shell\\print"), "Print &it");
    EXPECT_EQ(Row(cls + "\\shell\\new"), "Make &new");
    EXPECT_EQ(Row(cls + "\\shell\\add"), "&Add it");
    EXPECT_EQ(Row(cls + "\\DefaultIcon"), "\"app.exe\",3");
}

TEST_F(Association, ExtensionGivenWithItsDotGetsTwoDots) {
    reg->CreateEXEAssociation("app.exe", cls, "d", "." + ext);
    EXPECT_EQ(Row(".." + ext), cls);
    EXPECT_EQ(Row("." + ext), "<absent>");
}

TEST_F(Association, AdditionalVerbsAreWrittenBelowBothRoots) {
    reg->CreateEXEAssociation("app.exe", cls, "d", ext);
    reg->ClassKey(kHkeyCurrentUser);  // the class test does not depend on it
    reg->CreateAdditionalEXEAssociations(cls, "edit", "&Edit", "notepad.exe \"%1\"", std::int16_t{3}, "Three",
                                         std::int32_t{4});
    EXPECT_EQ(Row(cls + "\\shell\\edit"), "&Edit");
    EXPECT_EQ(Row(cls + "\\shell\\edit\\command"), "notepad.exe \"%1\"");
    EXPECT_EQ(Row(cls + "\\shell\\3"), "Three");
    EXPECT_EQ(Row(cls + "\\shell\\3\\command"), "4");
    EXPECT_EQ(reg->ClassKey(), kHkeyLocalMachine);
    EXPECT_EQ(reg->SectionKey(), cls + "\\shell\\3\\command");
    EXPECT_EQ(reg->ValueType(), 1);

    // No items: nothing to write, and no failure while the class exists.
    reg->CreateAdditionalEXEAssociations(cls, std::vector<TaggedValue>{});
}

TEST_F(Association, AdditionalVerbListMustComeInTriples) {
    reg->CreateEXEAssociation("app.exe", cls, "d", ext);
    reg->ClassKey(kHkeyCurrentUser);
    reg->SectionKey("unchanged");
    Failure failure = FailureOf([&] { reg->CreateAdditionalEXEAssociations(cls, "a", "b", "c", "d", "e"); });
    EXPECT_EQ(failure.Number(), -2147194452);
    EXPECT_EQ(failure.Source(), Source());
    EXPECT_EQ(failure.Description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    EXPECT_EQ(reg->SectionKey(), "unchanged");
    EXPECT_EQ(reg->ClassKey(), kHkeyCurrentUser);
    EXPECT_FALSE(RawKeyExists(kHkeyClassesRoot, cls + "\\shell\\a"));
}

TEST_F(Association, AdditionalVerbsNeedARegisteredClass) {
    reg->ClassKey(kHkeyLocalMachine);
    Failure failure = FailureOf([&] { reg->CreateAdditionalEXEAssociations(cls, "edit", "&Edit", "x"); });
    EXPECT_EQ(failure.Number(), -2147194451);
    EXPECT_EQ(failure.Source(), Source());
    EXPECT_EQ(failure.Description(), "Error - attempt to create additional associations before class defined.");
    EXPECT_EQ(reg->ClassKey(), kHkeyLocalMachine);
    EXPECT_FALSE(RawKeyExists(kHkeyClassesRoot, cls));
}

TEST_F(Association, RefusedWritesEndTheRegistrationAtTheFirstFailure) {
    if (!world->RefuseWritesUnder(kHkeyLocalMachine)) GTEST_SKIP() << "the real registry grants these writes";
    Failure failure = FailureOf([&] { reg->CreateEXEAssociation("app.exe", cls, "d", ext); });
    EXPECT_EQ(failure.Number(), 26001);
    EXPECT_EQ(failure.Description(), "Failed to set registry value Key: '-2147483646',Section: 'SOFTWARE\\Classes\\." +
                                         ext + "',Key: '' to value: '" + cls + "'");
    // Row 1 below HKEY_CLASSES_ROOT was written before the failure; row 2 not.
    EXPECT_TRUE(RawKeyExists(kHkeyClassesRoot, "." + ext));
    EXPECT_FALSE(RawKeyExists(kHkeyClassesRoot, cls));
    EXPECT_EQ(reg->SectionKey(), "SOFTWARE\\Classes\\." + ext);
}

TEST_F(Association, AdditionalVerbsAreAllAttemptedAndTheFirstFailureReported) {
    // The class exists below HKEY_CLASSES_ROOT; every machine-side write fails.
    PutRaw(kHkeyClassesRoot, cls, "", 1, BytesOf(std::string("d\0", 2)));
    if (!world->RefuseWritesUnder(kHkeyLocalMachine)) GTEST_SKIP() << "the real registry grants these writes";
    Failure failure = FailureOf([&] { reg->CreateAdditionalEXEAssociations(cls, "one", "1", "c1", "two", "2", "c2"); });
    EXPECT_EQ(failure.Number(), 26001);
    EXPECT_EQ(failure.Source(), Source());
    EXPECT_EQ(failure.Description(), "Failed to set registry value Key: '-2147483646',Section: 'SOFTWARE\\Classes\\" +
                                         cls + "\\shell\\one',Key: '' to value: '1'");
    // Every write below HKEY_CLASSES_ROOT still happened, in order.
    for (const char* verb : {"one", "two"}) {
        EXPECT_TRUE(RawKeyExists(kHkeyClassesRoot, cls + "\\shell\\" + verb)) << verb;
        EXPECT_TRUE(RawKeyExists(kHkeyClassesRoot, cls + "\\shell\\" + verb + "\\command")) << verb;
    }
    EXPECT_EQ(reg->SectionKey(), "SOFTWARE\\Classes\\" + cls + "\\shell\\two\\command");
}

}  // namespace
