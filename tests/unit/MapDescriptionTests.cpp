// Reading map description files: sections, keys and values, line ends, what
// makes a file unusable, and how the scan reports the files it skips.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "launcher/MapCatalogue.h"
#include "launcher/MapDescription.h"
#include "platform/Failure.h"
#include "standin/StandinCodePage.h"
#include "standin/StandinFileSystem.h"

namespace {

// The game's own layout, with the lines given ending in `end`.
std::string File(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

const std::vector<std::string> kGameLayout = {"[MapFiles]",
                                              "GMPFile = town.gmp",
                                              "STYFile = town.sty",
                                              "SCRFile = town.scr",
                                              "Description = Old Town",
                                              "PlayerCount = 6",
                                              "",
                                              "[Client]",
                                              "Name = x"};
const char kTown[] = "Old Town | town.gmp | town.sty | town.scr";

// A file saved as "Unicode": UTF-16, little-endian, after its byte-order mark.
std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

}  // namespace

TEST(MapDescription, EachFileGivesItsRowOrTheReasonItHasNone) {
    struct Case {
        const char* what;
        std::string text;
        std::string expected;  // "name | gmp | sty | scr", or why there is no row
        const CodePage& codePage = OneBytePerCharacter();
    };
    const std::string files = "GMPFile = a\nSTYFile = b\nSCRFile = c\n";
    const std::string kana = Repeat("\x83\x5D\x83\x5B", 60);                      // trail bytes of ']' and '['
    const std::string utf8 = Repeat("\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x9A\x97", 40);  // 2, 3 and 4 bytes
    // Padding that leaves room within the 64 KiB for "GMPFile = abc" alone.
    std::string padding = "[MapFiles]\nSTYFile = b\nSCRFile = c\n;";
    padding += std::string(kMaxDescriptionBytes - padding.size() - 1 - 13, '-') + "\n";
    const Case cases[] = {
        {"the game's own layout", File(kGameLayout), kTown},
        {"lines ended by CR", File(kGameLayout, "\r"), kTown},
        {"lines ended by LF", File(kGameLayout, "\n"), kTown},
        {"mixed line ends", "[MapFiles]\nGMPFile = a\r\nSTYFile = b\rSCRFile = c\n\rDescription = M", "M | a | b | c"},
        {"no blanks around '='", "[MapFiles]\nGMPFile=t.gmp\nSTYFile=t.sty\nSCRFile=t.scr\nDescription=T",
         "T | t.gmp | t.sty | t.scr"},
        {"blanks and tabs",
         " \t[ MapFiles ]\t\n\tGMPFile \t=\t town.gmp \t\n  STYFile =  town.sty \n"
         "SCRFile= town.scr\n  Description\t= \tOld Town \t\n",
         kTown},
        {"another order, extra keys before the description, any letter case",
         "[mapfiles]\nscrfile = d.scr\nGMPFILE = d.gmp\nSTYFile = d.sty\nGXTFile = d.gxt\nMMPFile = d.mmp\n"
         "description = Bloodring - Destruction Derby",
         "Bloodring - Destruction Derby | d.gmp | d.sty | d.scr"},
        {"comments and lines without '='", "; by hand\n[MapFiles]\n  ;GMPFile = x\nnotes\n" + files, " | a | b | c"},
        {"a key repeated", "[MapFiles]\n" + files + "GMPFile = x\nDescription = N\nDescription = X", "N | a | b | c"},
        {"[MapFiles] not first, keys outside it and in a second one ignored",
         "GMPFile = x\n[Client]\nSTYFile = x\n[MapFiles]\n" + files + "[MapFiles]\nDescription = X", " | a | b | c"},
        {"a [Client] section after [MapFiles]", "[MapFiles]\n" + files + "[Client]\nDescription = X", " | a | b | c"},
        {"a damaged first line", "\x01[MapFiles]\n" + files + "Description = N\n[Client]\nGMPFile = x",
         "N | a | b | c"},
        // Taken as text, the mark would hide the first header, and the keys
        // before the second would be dropped with the file's first lines.
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF[MapFiles]\n" + files + "[MapFiles]\nDescription = X", " | a | b | c"},
        {"a header without its bracket", "[MapFiles\n" + files, " | a | b | c"},
        {"a damaged header as the first line", "[Map Files]\n" + files + "[Client]\nDescription = X", " | a | b | c"},
        {"keys only under another header", ";\n[Map Files]\n" + files, "names no GMP file"},
        {"blanks inside a value stay", "[MapFiles]\nGMPFile = a\nSTYFile = b  x \nSCRFile = \t c", " | a | b  x | c"},
        {"an empty GMPFile", "[MapFiles]\nGMPFile =\nSTYFile = b\nSCRFile = c", "names no GMP file"},
        {"an empty first GMPFile", "[MapFiles]\nGMPFile = \n" + files, "names no GMP file"},
        {"no STYFile", "[MapFiles]\nGMPFile = a\nSCRFile = c", "names no STY file"},
        {"SCRFile in another section", "[MapFiles]\nGMPFile = a\nSTYFile = b\n[X]\nSCRFile = c", "names no SCR file"},
        {"an empty file", "", "names no GMP file"},
        {"a name of 130 characters", "[MapFiles]\n" + files + "Description = " + std::string(130, 'n'),
         std::string(100, 'n') + " | a | b | c"},
        {"a file name of 250 bytes", "[MapFiles]\nSTYFile = b\nSCRFile = c\nGMPFile = " + std::string(250, 'g'),
         " | " + std::string(250, 'g') + " | b | c"},
        {"one of 251", "[MapFiles]\nSTYFile = " + std::string(251, 's') + "\n" + files,
         "names a STY file longer than the game can open (250 bytes)"},
        // Windows' reader drops a matching pair of quotes, and no other.
        {"quoted values",
         "[MapFiles]\nGMPFile = \"quoted town.gmp\"\nSTYFile='q.sty'\nSCRFile = \" q.scr \"\nDescription = \"Q\"",
         "Q | quoted town.gmp | q.sty |  q.scr "},
        {"quotes that make no pair",
         "[MapFiles]\nGMPFile = \"half.gmp\nSTYFile = 'q.sty\"\nSCRFile = \"\nDescription = '",
         "' | \"half.gmp | 'q.sty\" | \""},
        {"an empty pair", "[MapFiles]\nGMPFile = \"\"\nSTYFile = b\nSCRFile = c", "names no GMP file"},
        {"Ctrl-Z, form feed and vertical tab",
         "[MapFiles]\x1A\n\fGMPFile\v=\va\x1A\nSTYFile = \f\"b\"\x1A\nSCRFile = c\n\x1A", " | a | b | c"},
        {"over 64 KiB, keys first", File(kGameLayout) + std::string(200000, 'x') + std::string("\0\r\n", 3), kTown},
        {"keys beyond 64 KiB", "[MapFiles]\n;" + std::string(kMaxDescriptionBytes, '-') + "\n" + files,
         "names no GMP file"},
        {"a line cut off at 64 KiB", padding + "GMPFile = abcdef.gmp\n", " | abc | b | c"},
        // A lead byte and the byte after it are one character, whatever that byte.
        {"double-byte characters", "[MapFiles]\nGMPFile = \x83\x5D\n" + files + "Description = " + kana,
         kana.substr(0, 200) + " | \x83\x5D | b | c", Japanese932()},
        {"125 double-byte characters", "[MapFiles]\nSCRFile = " + Repeat("\x82\xA0", 125) + "\n" + files,
         " | a | b | " + Repeat("\x82\xA0", 125), Japanese932()},
        {"a blank after a lead byte is part of its character", "[MapFiles]\nGMPFile = \x82\xA0\x82 \n" + files,
         " | \x82\xA0\x82  | b | c", Japanese932()},
        {"126 double-byte characters, 252 bytes", "[MapFiles]\nGMPFile = " + Repeat("\x82\xA0", 126),
         "names a GMP file longer than the game can open (250 bytes)", Japanese932()},
        {"UTF-16",
         Utf16File(u"\r\n[MapFiles]\r\nGMPFile = \"\u00C9t\u00E9.gmp\"\rSTYFile = e.sty\nSCRFile = e.scr\r\n"
                   u"Description = \u00C9t\u00E9 \u2013 \u0178\r\n[Client]\r\nGMPFile = x"),
         "\xC9t\xE9 \x96 \x9F | \xC9t\xE9.gmp | e.sty | e.scr", Western1252()},
        {"UTF-16 with a file name the code page lacks",
         Utf16File(u"[MapFiles]\nGMPFile = a.gmp\nSTYFile = \u0141\u00F3d\u017A.sty\nSCRFile = c"),
         "names a STY file that cannot be spelled in this system's language", Western1252()},
        {"UTF-16 with a name the code page lacks",
         Utf16File(u"; \u0141\n[MapFiles]\nGMPFile = a\nSTYFile = b\nSCRFile = c\nDescription = \u0141\u00F3d\u017A"),
         "gives a map name that cannot be spelled in this system's language", Western1252()},
        {"UTF-16 in UTF-8",
         Utf16File(u"[MapFiles]\nGMPFile = \u0141\u00F3d\u017A.gmp\nSTYFile = b\nSCRFile = \U0001F697"),
         " | \xC5\x81\xC3\xB3\x64\xC5\xBA.gmp | b | \xF0\x9F\x9A\x97", Utf8()},
        // 64 KiB of the file's own bytes: half as many characters.
        {"UTF-16 keys beyond 64 KiB",
         Utf16File(u";" + std::u16string(kMaxDescriptionBytes / 2, u'-') +
                   u"\n[MapFiles]\nGMPFile = a\nSTYFile = b\nSCRFile = c"),
         "names no GMP file", Western1252()},
        {"Western text in a double-byte code page", File(kGameLayout), kTown, Japanese932()},
        {"UTF-8", "[MapFiles]\n" + files + "Description = " + utf8, utf8.substr(0, 33 * 9 + 2) + " | a | b | c",
         Utf8()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto shown = [](const MapDescriptionParser& parser) {
            const MapDescription& d = parser.Description();
            return parser.Result() == MapDescriptionParser::Outcome::Complete
                       ? d.name + " | " + d.gmp + " | " + d.sty + " | " + d.scr
                       : DescribeProblem(parser.Result(), parser.ProblemFile());
        };
        EXPECT_EQ(shown(ParseMapDescription(c.text, c.codePage)), c.expected);
        // A byte at a time: the pieces must not change the result.
        MapDescriptionParser parser(c.codePage);
        for (std::size_t at = 0; at < c.text.size() && parser.Result() == MapDescriptionParser::Outcome::NeedMore;
             ++at) {
            parser.Feed(c.text.data() + at, 1);
        }
        parser.Finish();
        EXPECT_EQ(shown(parser), c.expected);
    }
}

TEST(MapDescriptionFile, ReadsInPiecesAndNeverBeyondWhatItNeeds) {
    StandinFileSystem files;
    // A line end split across the reader's pieces, and a file whose reads
    // fail once its section has given every key: neither may disturb the
    // result.
    const std::string padded = "[MapFiles]\r\n;" + std::string(4096 - 14, '-') +
                               "\r\nGMPFile = a.gmp\r\nSTYFile = b.sty\r\nSCRFile = c.scr\r\n"
                               "Description = Padded\r\nrest";
    files.AddFile("C:\\g\\data\\padded.mmp", padded);
    files.FailReadsAfter("C:\\g\\data\\padded.mmp", padded.size() - 4);
    MapDescription d = ReadMapDescription(files, "C:\\g\\data\\padded.mmp");
    EXPECT_EQ(d.gmp, "a.gmp");
    EXPECT_EQ(d.name, "Padded");
    // Without a [MapFiles] section the whole 64 KiB is looked through, and
    // not a byte more is read.
    files.AddFile("C:\\g\\data\\loose.mmp",
                  File({"GMPFile = a", "STYFile = b", "SCRFile = c"}) + std::string(3 * kMaxDescriptionBytes, ';'));
    files.FailReadsAfter("C:\\g\\data\\loose.mmp", kMaxDescriptionBytes);
    EXPECT_EQ(ReadMapDescription(files, "C:\\g\\data\\loose.mmp").scr, "c");
}

TEST(MapDescriptionFile, FailuresNameTheirCause) {
    StandinFileSystem files;
    files.AddFile("C:\\g\\data\\locked.mmp", File(kGameLayout));
    files.LockFile("C:\\g\\data\\locked.mmp");
    files.AddFile("C:\\g\\data\\broken.mmp", File(kGameLayout));
    files.FailReadsAfter("C:\\g\\data\\broken.mmp", 20);
    files.AddDevice("C:\\g\\data\\COM1.mmp");

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
    EXPECT_EQ(descriptionOf("C:\\g\\data\\COM1.mmp"), "is not a file");
}

// The search gives '?' for each character the ANSI code page lacks
// ("Карта.mmp" on a Western system), a name that opens nothing, or a
// look-alike ("Lodz.mmp" for "Łódź.mmp"), which may open another file.
TEST(MapDescriptionFile, NamesTheCodePageCannotSpellAreReadByTheirShortNames) {
    StandinFileSystem files;
    files.AddFile("C:\\g\\data\\?????.mmp", File(kGameLayout));
    files.GiveShortName("C:\\g\\data\\?????.mmp", "____~RKY.MMP");
    files.AddFile("C:\\g\\data\\???.mmp", File(kGameLayout));
    files.AddFile("C:\\g\\data\\????.mmp_old", File(kGameLayout));
    files.GiveShortName("C:\\g\\data\\????.mmp_old", "____~ABC.MMP");
    files.AddLookAlikeNamedFile("C:\\g\\data\\LD~1.MMP", "Lodz.mmp", File(kGameLayout));
    files.AddFile("C:\\g\\data\\Lodz.mmp", "[MapFiles]\nGMPFile = l.gmp\nSTYFile = l.sty\nSCRFile = l.scr");
    const DescriptionScan scan = ReadDescribedMaps(files, "C:\\g\\");
    ASSERT_EQ(scan.maps.size(), 3u);
    EXPECT_EQ(scan.maps[0], (MapEntry{"Old Town", "____~RKY.MMP", "town.gmp", "town.sty", "town.scr"}));
    EXPECT_EQ(scan.maps[1], (MapEntry{"Old Town", "LD~1.MMP", "town.gmp", "town.sty", "town.scr"}));
    EXPECT_EQ(scan.maps[2], (MapEntry{"", "Lodz.mmp", "l.gmp", "l.sty", "l.scr"}));
    EXPECT_EQ(DescribeSkippedFiles(scan),
              "Could not read the map description file '???.mmp': its name cannot be spelled in this system's "
              "language");
}

TEST(MapDescriptionFile, TheReportNamesTenBadFilesAndCountsTheRest) {
    StandinFileSystem files;
    for (char letter = 'a'; letter <= 'l'; ++letter) {
        files.AddFile(std::string("C:\\g\\data\\") + letter + ".mmp", letter == 'c' ? "" : "[MapFiles]\nGMPFile=x");
    }
    files.AddFile("C:\\g\\data\\good.mmp", File(kGameLayout));
    DescriptionScan scan = ReadDescribedMaps(files, "C:\\g\\");
    EXPECT_EQ(scan.maps.size(), 1u);
    EXPECT_EQ(scan.skipped, 12);
    EXPECT_EQ(DescribeSkippedFiles(scan),
              "Could not read 12 map description files: 'a.mmp': names no STY file; 'b.mmp': names no STY file; "
              "'c.mmp': names no GMP file; 'd.mmp': names no STY file; 'e.mmp': names no STY file; 'f.mmp': names "
              "no STY file; 'g.mmp': names no STY file; 'h.mmp': names no STY file; 'i.mmp': names no STY file; "
              "'j.mmp': names no STY file; and 2 more");
    files.RemoveFile("C:\\g\\data\\k.mmp");
    files.RemoveFile("C:\\g\\data\\l.mmp");
    scan = ReadDescribedMaps(files, "C:\\g\\");
    const std::string report = DescribeSkippedFiles(scan);
    EXPECT_EQ(report.rfind("Could not read 10 map description files: 'a.mmp': names no STY file; 'b.mmp'", 0), 0u);
    EXPECT_EQ(report.find("more"), std::string::npos);
    const std::string last = "; 'j.mmp': names no STY file";
    ASSERT_GT(report.size(), last.size());
    EXPECT_EQ(report.substr(report.size() - last.size()), last);
}
