// Reading map description files: line ends, the positional cuts, and what
// makes a file unusable.

#include <gtest/gtest.h>

#include <string>

#include "launcher/MapCatalogue.h"
#include "launcher/MapDescription.h"
#include "platform/Failure.h"
#include "standin/StandinCodePage.h"
#include "standin/StandinFileSystem.h"

namespace {

using Outcome = MapDescriptionParser::Outcome;

std::string Lines(const std::string& end, bool finalEnd = true) {
    std::string text = "[MapFiles]" + end + "GMPFile = town.gmp" + end + "STYFile = town.sty" + end +
                       "SCRFile = town.scr" + end + "Description = Old Town";
    return finalEnd ? text + end : text;
}

MapDescription Parse(const std::string& content, Outcome expected, int expectedLine = 0,
                     const CodePage& codePage = OneBytePerCharacter()) {
    MapDescription description;
    int line = -1;
    EXPECT_EQ(ParseMapDescription(content, description, &line, codePage), expected);
    if (expectedLine != 0) {
        EXPECT_EQ(line, expectedLine);
    }
    return description;
}

}  // namespace

TEST(MapDescriptionLines, EveryKindOfLineEndEndsALine) {
    for (const std::string end : {"\r", "\r\n", "\n"}) {
        MapDescription d = Parse(Lines(end), Outcome::Complete);
        EXPECT_EQ(d.name, "Old Town");
        EXPECT_EQ(d.gmp, "town.gmp");
        EXPECT_EQ(d.sty, "town.sty");
        EXPECT_EQ(d.scr, "town.scr");
    }
    // A line feed followed by a carriage return is two line ends: line 5 is empty.
    EXPECT_EQ(Parse("[MapFiles]\nGMPFile = a.gmp\nSTYFile = b.sty\nSCRFile = c.scr\n\rDescription = Mixed\r",
                    Outcome::Complete)
                  .name,
              "");
    MapDescription d = Parse("[MapFiles]\nGMPFile = a.gmp\r\nSTYFile = b.sty\rSCRFile = c.scr\nDescription = Mixed",
                             Outcome::Complete);
    EXPECT_EQ(d.gmp, "a.gmp");
    EXPECT_EQ(d.sty, "b.sty");
    EXPECT_EQ(d.scr, "c.scr");
    EXPECT_EQ(d.name, "Mixed");
}

TEST(MapDescriptionLines, FiveLinesAreEnoughAndNothingLaterMatters) {
    Parse(Lines("\r\n", false), Outcome::Complete);
    Parse(Lines("\r\n") + "PlayerCount = 6", Outcome::Complete);
    // Whatever follows line 5 is never looked at, however long or strange.
    Parse(Lines("\r\n") + std::string(200000, 'x') + std::string("\0\r\n", 3), Outcome::Complete);
    // Four lines, with or without an end after the last.
    Parse("[MapFiles]\rGMPFile = a.gmp\rSTYFile = b.sty\rSCRFile = c.scr\r", Outcome::EndsEarly, 5);
    Parse("[MapFiles]\rGMPFile = a.gmp\rSTYFile = b.sty\rSCRFile = c.scr", Outcome::EndsEarly, 5);
    Parse("", Outcome::EndsEarly, 1);
    Parse("[MapFiles]\r", Outcome::EndsEarly, 2);
}

TEST(MapDescriptionLines, ALineOverTheLimitMakesTheFileUnreadable) {
    const std::string atLimit(kMaxDescriptionLineLength, 'n');
    Parse(atLimit + "\r" + Lines("\r").substr(std::string("[MapFiles]\r").size()), Outcome::Complete);
    Parse(atLimit + "n\rGMPFile = a\rSTYFile = b\rSCRFile = c\rDescription = x\r", Outcome::LineTooLong, 1);
    Parse("[MapFiles]\rGMPFile = " + atLimit, Outcome::LineTooLong, 2);
}

TEST(MapDescriptionCuts, ValueRuleStartsAtCharacterElevenAndKeepsBlanks) {
    std::string value = "unchanged";
    EXPECT_FALSE(CutMapValue("123456789", value));
    EXPECT_FALSE(CutMapValue("", value));
    EXPECT_EQ(value, "unchanged");
    ASSERT_TRUE(CutMapValue("1234567890", value));
    EXPECT_EQ(value, "");
    ASSERT_TRUE(CutMapValue("STYFile=  b.sty  ", value));
    EXPECT_EQ(value, "b.sty  ");  // the prefix is not examined, only counted

    MapDescription d = Parse("x\rGMPFile = \rSTYFile = b.sty  \rSCRFile = c\rDescription = \r", Outcome::Complete);
    EXPECT_EQ(d.gmp, "");
    EXPECT_EQ(d.sty, "b.sty  ");
    EXPECT_EQ(d.name, "");
    Parse("x\rGMPFile =\rSTYFile = b.sty\rSCRFile = c\rDescription = n\r", Outcome::ShortValue, 2);
    Parse("x\rGMPFile = a\rSTYFile = b\rSCR\rDescription = n\r", Outcome::ShortValue, 4);
}

TEST(MapDescriptionCuts, NameIsCharactersFifteenToOneHundredFourteen) {
    EXPECT_EQ(CutMapName("Description = "), "");
    EXPECT_EQ(CutMapName("Description ="), "");
    EXPECT_EQ(CutMapName("Description = A"), "A");
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += static_cast<char>('a' + i % 26);
    EXPECT_EQ(CutMapName("Description = " + hundred + "0123456789012345"), hundred);
    // Bytes stay bytes: an accented ANSI name is cut by characters, one per byte.
    EXPECT_EQ(CutMapName("Description = Caf\xE9 \xC6on "), "Caf\xE9 \xC6on ");
}

// Code page 932: "\x82\xA0" is one character (a hiragana A), as is every
// pair opened by a lead byte; plain letters stay one byte each.
TEST(MapDescriptionCuts, DoubleByteCodePagesCountCharactersAndNeverSplitOne) {
    const CodePage& japanese = Japanese932();
    std::string kana;
    for (int i = 0; i < 120; ++i) kana += "\x82\xA0";
    const std::string line = "Description = A" + kana;
    EXPECT_EQ(CutMapName(line, japanese), "A" + kana.substr(0, 2 * 99));
    // Read byte by byte, the same line ends in half a character.
    EXPECT_EQ(CutMapName(line), "A" + kana.substr(0, 2 * 49) + "\x82");

    // A double-byte character as the prefix's last: the name starts after it.
    EXPECT_EQ(CutMapName("Description =\x82\xA0Tokyo", japanese), "Tokyo");
    // Two double-byte characters in the prefix: still fourteen characters.
    EXPECT_EQ(CutMapName("\x90\xE0\x96\xBEMap name  = Tokyo", japanese), "Tokyo");
    EXPECT_EQ(CutMapName("\x90\xE0\x96\xBEMap name = ", japanese), "");

    // Values: ten characters skipped, and fewer than ten make the file unusable
    // even when they take ten bytes or more.
    std::string value;
    ASSERT_TRUE(CutMapValue("\x83\x74\x83\x40\x83\x43\x83\x8BGMP = a.gmp", value, japanese));
    EXPECT_EQ(value, "a.gmp");
    EXPECT_FALSE(CutMapValue("\x83\x74\x83\x40\x83\x43\x83\x8B = ", value, japanese));
    Parse("x\r\x83\x74\x83\x40\x83\x43\x83\x8B = \rSTYFile = b\rSCRFile = c\rDescription = n\r", Outcome::ShortValue, 2,
          japanese);

    // Western text reads the same whatever the code page.
    MapDescription d = Parse(Lines("\r\n"), Outcome::Complete, 0, japanese);
    EXPECT_EQ(d.name, "Old Town");
    EXPECT_EQ(d.gmp, "town.gmp");
}

// With UTF-8 as the ANSI code page a character takes one to four bytes:
// "\xC3\xA9" is e acute, "\xE8\xA1\xA8" is 表, "\xF0\x9F\x9A\x97" a car.
TEST(MapDescriptionCuts, Utf8CountsWholeCharactersOfAnyLength) {
    const CodePage& utf8 = Utf8();
    std::string mixed;
    for (int i = 0; i < 40; ++i) mixed += "\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x9A\x97";
    EXPECT_EQ(CutMapName("Description = " + mixed, utf8), mixed.substr(0, 33 * 9 + 2));
    // Prefixes of whole characters, and bytes that make no character, one each.
    EXPECT_EQ(CutMapName("\xF0\x9F\x9A\x97\xE8\xA1\xA8 Map name = Tokyo", utf8), "Tokyo");
    EXPECT_EQ(CutMapName("\xFF\xC0\x80\xED\xA0\x80Names = Tokyo", utf8), "Tokyo");
    std::string value;
    ASSERT_TRUE(CutMapValue("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9x.gmp",
                            value, utf8));
    EXPECT_EQ(value, "x.gmp");
    // A character cut off by the line's end stands as single bytes.
    ASSERT_TRUE(CutMapValue("GMPFile = \xE8\xA1", value, utf8));
    EXPECT_EQ(value, "\xE8\xA1");
}

// A full path holds at most 259 characters: a longer file name makes the file
// unusable, counted in characters, not bytes.
TEST(MapDescriptionCuts, FileNamesLongerThanAPathCanHoldMakeTheFileUnusable) {
    const auto file = [](const std::string& gmp, const std::string& sty, const std::string& scr) {
        return "x\rGMPFile = " + gmp + "\rSTYFile = " + sty + "\rSCRFile = " + scr + "\rDescription = n\r";
    };
    std::string kana;
    for (int i = 0; i < 259; ++i) kana += "\x82\xA0";
    EXPECT_EQ(Parse(file(std::string(259, 'g'), "s", "c"), Outcome::Complete).gmp.size(), 259u);
    EXPECT_EQ(Parse(file("g", "s", kana), Outcome::Complete, 0, Japanese932()).scr, kana);
    Parse(file(std::string(260, 'g'), "s", "c"), Outcome::LongValue, 2);
    Parse(file("g", std::string(300, 's'), "c"), Outcome::LongValue, 3);
    Parse(file("g", "s", kana + "c"), Outcome::LongValue, 4, Japanese932());
    EXPECT_EQ(DescribeProblem(Outcome::LongValue, 2), "line 2 names a file longer than 259 characters");
}

TEST(MapDescriptionFile, ReadsInPiecesAndNeverBeyondWhatItNeeds) {
    StandinFileSystem files;
    // A line end split across the reader's pieces, and a file whose reads
    // fail once the five lines are past: neither may disturb the result.
    std::string padded = "[" + std::string(4094, '-') +
                         "\r\nGMPFile = a.gmp\r\nSTYFile = b.sty\r\nSCRFile = c.scr\r\n"
                         "Description = Padded\r\nrest";
    files.AddFile("C:\\g\\data\\padded.mmp", padded);
    files.FailReadsAfter("C:\\g\\data\\padded.mmp", padded.size() - 4);
    MapDescription d = ReadMapDescription(files, "C:\\g\\data\\padded.mmp");
    EXPECT_EQ(d.gmp, "a.gmp");
    EXPECT_EQ(d.name, "Padded");
}

TEST(MapDescriptionFile, FailuresNameTheirCause) {
    StandinFileSystem files;
    files.AddFile("C:\\g\\data\\locked.mmp", Lines("\r"));
    files.LockFile("C:\\g\\data\\locked.mmp");
    files.AddFile("C:\\g\\data\\broken.mmp", Lines("\r"));
    files.FailReadsAfter("C:\\g\\data\\broken.mmp", 20);
    files.AddFile("C:\\g\\data\\short.mmp", "[MapFiles]\rGMPFile = a\r");

    auto descriptionOf = [&](const std::string& path) {
        try {
            ReadMapDescription(files, path);
        } catch (const Failure& failure) {
            return failure.Description();
        }
        return std::string("no failure");
    };
    EXPECT_EQ(descriptionOf("C:\\g\\data\\missing.mmp"), "the file cannot be opened: File not found");
    EXPECT_EQ(descriptionOf("C:\\g\\data\\locked.mmp"), "the file cannot be opened: Path/File access error");
    EXPECT_EQ(descriptionOf("C:\\g\\data\\broken.mmp"), "the file cannot be read: Device I/O error");
    EXPECT_EQ(descriptionOf("C:\\g\\data\\short.mmp"), "the file ends before line 3");
}
