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
const MapDescription kTown = {"Old Town", "town.gmp", "town.sty", "town.scr"};

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
        MapDescription row;  // when `reason` is empty
        std::string reason;
        const CodePage& codePage = OneBytePerCharacter();
    };
    const std::string kana = Repeat("\x83\x5D\x83\x5B", 60);  // a trail byte of ']', then one of '['
    const std::string longName = std::string(60, 'L') + std::string(70, 'n');
    // Padding that leaves room within the 64 KiB for "GMPFile = abc" alone.
    std::string padding = File({"[MapFiles]", "STYFile = b", "SCRFile = c"}) + ";";
    padding += std::string(kMaxDescriptionBytes - padding.size() - 2 - 13, '-') + "\r\n";
    const Case cases[] = {
        {"the game's own layout", File(kGameLayout), kTown, ""},
        {"lines ended by CR", File(kGameLayout, "\r"), kTown, ""},
        {"lines ended by LF", File(kGameLayout, "\n"), kTown, ""},
        {"mixed line ends, the last line without one",
         "[MapFiles]\nGMPFile = a\r\nSTYFile = b\rSCRFile = c\n\rDescription = Mixed",
         {"Mixed", "a", "b", "c"},
         ""},
        {"no blanks around '='",
         "[MapFiles]\nGMPFile=tight.gmp\nSTYFile=tight.sty\nSCRFile=tight.scr\nDescription=Tight",
         {"Tight", "tight.gmp", "tight.sty", "tight.scr"},
         ""},
        {"blanks and tabs around key, value and header",
         " \t[ MapFiles ]\t\n\tGMPFile \t=\t town.gmp \t\n  STYFile   =  town.sty  \nSCRFile= town.scr\n"
         "  Description\t= \tOld Town \t\n",
         kTown, ""},
        {"keys in another order, with extra keys before the description, in any letter case",
         File({"[mapfiles]", "scrfile = derby.scr", "GMPFILE = derby.gmp", "STYFile = derby.sty", "GXTFile = derby.gxt",
               "MMPFile = derby.mmp", "description = Bloodring - Destruction Derby"}),
         {"Bloodring - Destruction Derby", "derby.gmp", "derby.sty", "derby.scr"},
         ""},
        {"comment lines, and lines without '='",
         File({"; made by hand", "[MapFiles]", "  ;GMPFile = wrong.gmp", "GMPFile = town.gmp", "notes",
               "STYFile = town.sty", "SCRFile = town.scr", "Description = Old Town"}),
         kTown, ""},
        {"the first of a repeated key counts",
         File({"[MapFiles]", "GMPFile = town.gmp", "GMPFile = other.gmp", "STYFile = town.sty", "SCRFile = town.scr",
               "Description = Old Town", "Description = Other"}),
         kTown, ""},
        {"[MapFiles] not first, and keys outside it ignored",
         File({"GMPFile = loose.gmp", "[Client]", "STYFile = client.sty", "[MapFiles]", "GMPFile = town.gmp",
               "STYFile = town.sty", "SCRFile = town.scr", "Description = Old Town", "[MapFiles]",
               "Description = Second"}),
         kTown, ""},
        {"the section ends at the next header",
         File({"[MapFiles]", "GMPFile = town.gmp", "STYFile = town.sty", "SCRFile = town.scr", "[Client]",
               "Description = Client's"}),
         {"", "town.gmp", "town.sty", "town.scr"},
         ""},
        {"a damaged first line: the lines before any header",
         File({"\xEF\xBB\xBF[MapFiles]", "GMPFile = town.gmp", "STYFile = town.sty", "SCRFile = town.scr",
               "Description = Old Town", "[Client]", "GMPFile = client.gmp"}),
         kTown, ""},
        {"a header without its bracket", "[MapFiles\rGMPFile = a\rSTYFile = b\rSCRFile = c", {"", "a", "b", "c"}, ""},
        {"no description, and blanks alone are no file name",
         File({"[MapFiles]", "GMPFile = edge.gmp", "STYFile = edge.sty  x", "SCRFile = \t e"}),
         {"", "edge.gmp", "edge.sty  x", "e"},
         ""},
        {"the name is cut at 100 characters",
         File({"[MapFiles]", "GMPFile = a", "STYFile = b", "SCRFile = c", "Description = " + longName}),
         {longName.substr(0, 100), "a", "b", "c"},
         ""},
        {"an empty GMPFile", File({"[MapFiles]", "GMPFile =", "STYFile = b", "SCRFile = c"}), {}, "names no GMP file"},
        {"an empty first GMPFile, then one that would do",
         File({"[MapFiles]", "GMPFile =  ", "GMPFile = a", "STYFile = b", "SCRFile = c"}),
         {},
         "names no GMP file"},
        {"no STYFile", File({"[MapFiles]", "GMPFile = a", "SCRFile = c"}), {}, "names no STY file"},
        {"no SCRFile, but one in another section",
         File({"[MapFiles]", "GMPFile = a", "STYFile = b", "[Client]", "SCRFile = c"}),
         {},
         "names no SCR file"},
        {"an empty file", "", {}, "names no GMP file"},
        {"keys only under another header on the first line",
         File({"[Map Files]", "GMPFile = a", "STYFile = b", "SCRFile = c"}),
         {},
         "names no GMP file"},
        {"a file name of 259 characters",
         File({"[MapFiles]", "GMPFile = " + std::string(259, 'g'), "STYFile = b", "SCRFile = c"}),
         {"", std::string(259, 'g'), "b", "c"},
         ""},
        {"a file name of 260 characters",
         File({"[MapFiles]", "GMPFile = a", "STYFile = " + std::string(260, 's'), "SCRFile = c"}),
         {},
         "names a STY file longer than 259 characters"},
        {"a file over 64 KiB whose keys come first",
         File(kGameLayout) + std::string(200000, 'x') + std::string("\0\r\n", 3), kTown, ""},
        {"keys beyond the first 64 KiB are not seen",
         File(
             {"[MapFiles]", ";" + std::string(kMaxDescriptionBytes, '-'), "GMPFile = a", "STYFile = b", "SCRFile = c"}),
         {},
         "names no GMP file"},
        {"a line cut off by the 64 KiB limit ends there",
         padding + "GMPFile = abcdef.gmp\r\n",
         {"", "abc", "b", "c"},
         ""},
        // Code page 932: a lead byte and the byte after it are one character,
        // whatever that byte's value; the name keeps 100 of them, a file name
        // at most 259.
        {"double-byte characters with trail bytes of brackets",
         File({"[MapFiles]", "GMPFile = \x83\x5D.gmp", "STYFile = " + Repeat("\x82\xA0", 259), "SCRFile = c",
               "Description = " + kana}),
         {kana.substr(0, 200), "\x83\x5D.gmp", Repeat("\x82\xA0", 259), "c"},
         "",
         Japanese932()},
        {"260 double-byte characters",
         File({"[MapFiles]", "GMPFile = " + Repeat("\x82\xA0", 260), "STYFile = b", "SCRFile = c"}),
         {},
         "names a GMP file longer than 259 characters",
         Japanese932()},
        {"Western text in a double-byte code page", File(kGameLayout), kTown, "", Japanese932()},
        // UTF-8: e acute, a CJK character and a car, of two, three and four bytes.
        {"UTF-8 characters of every length",
         File({"[MapFiles]", "GMPFile = \xE8\xA1\xA8", "STYFile = b", "SCRFile = c",
               "Description = " + Repeat("\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x9A\x97", 40)}),
         {Repeat("\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x9A\x97", 33) + "\xC3\xA9", "\xE8\xA1\xA8", "b", "c"},
         "",
         Utf8()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Whole, and a byte at a time: the pieces must not change the result.
        for (const std::size_t piece : {c.text.size(), std::size_t{1}}) {
            MapDescriptionParser parser(c.codePage);
            for (std::size_t at = 0; at < c.text.size() && parser.Result() == MapDescriptionParser::Outcome::NeedMore;
                 at += piece) {
                parser.Feed(c.text.data() + at, std::min(piece, c.text.size() - at));
            }
            parser.Finish();
            EXPECT_EQ(DescribeProblem(parser.Result(), parser.ProblemFile()), c.reason);
            if (!c.reason.empty()) continue;
            ASSERT_EQ(parser.Result(), MapDescriptionParser::Outcome::Complete);
            const MapDescription& d = parser.Description();
            EXPECT_EQ(d.name, c.row.name);
            EXPECT_EQ(d.gmp, c.row.gmp);
            EXPECT_EQ(d.sty, c.row.sty);
            EXPECT_EQ(d.scr, c.row.scr);
        }
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
}

// The search gives '?' for each character the ANSI code page lacks
// ("Карта.mmp" on a Western system), and such a name opens nothing.
TEST(MapDescriptionFile, NamesTheCodePageCannotSpellAreReadByTheirShortNames) {
    StandinFileSystem files;
    files.AddFile("C:\\g\\data\\?????.mmp", File(kGameLayout));
    files.GiveShortName("C:\\g\\data\\?????.mmp", "____~RKY.MMP");
    files.AddFile("C:\\g\\data\\???.mmp", File(kGameLayout));
    files.AddFile("C:\\g\\data\\????.mmp_old", File(kGameLayout));
    files.GiveShortName("C:\\g\\data\\????.mmp_old", "____~ABC.MMP");
    const DescriptionScan scan = ReadDescribedMaps(files, "C:\\g\\");
    ASSERT_EQ(scan.maps.size(), 1u);
    EXPECT_EQ(scan.maps[0], (MapEntry{"Old Town", "____~RKY.MMP", "town.gmp", "town.sty", "town.scr"}));
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
