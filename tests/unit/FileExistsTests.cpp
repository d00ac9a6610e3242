// FileExists over the stand-in file system.

#include <gtest/gtest.h>

#include "platform/Failure.h"
#include "standin/StandinFileSystem.h"
#include "system/modMisc.h"

namespace {

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override {
        files.AddFile("C:\\Games\\GTA2\\gta2.exe", "MZ");
        files.AddFile("C:\\Games\\GTA2\\readme.txt", "", {false, false, true});
        files.AddFile("C:\\Games\\GTA2\\hidden.dat", "", {true, false, false});
        files.AddFile("C:\\Games\\GTA2\\system.dat", "", {false, true, false});
        files.AddFile("C:\\Games\\GTA2\\data\\attract\\attr1.rep", "demo");
        files.AddFile("C:\\Games\\GTA2\\data\\ste.mmp", "[MapFiles]\r\n");
    }
    StandinFileSystem files;
};

TEST_F(FileExistsTest, PlainAndReadOnlyFilesCount) {
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\gta2.exe"));
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\readme.txt"));
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\data\\attract\\attr1.rep"));
}

TEST_F(FileExistsTest, HiddenSystemFilesAndFoldersDoNotCount) {
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\hidden.dat"));
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\system.dat"));
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\data"));
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\data\\attract"));
}

TEST_F(FileExistsTest, MissingFilesFoldersAndDrivesAreAbsent) {
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\gta2.ex"));
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA3\\gta2.exe"));
    EXPECT_FALSE(FileExists(files, "Q:\\gta2.exe"));
    EXPECT_FALSE(FileExists(files, ""));
}

TEST_F(FileExistsTest, LetterCaseOfEitherCallerFindsTheSameFile) {
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\gta2.exe"));
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\GTA2.exe"));
    EXPECT_TRUE(FileExists(files, "c:\\games\\gta2\\DATA\\ATTRACT\\ATTR1.REP"));
}

TEST_F(FileExistsTest, WildcardsMatchAsPatternsOverPlainFilesOnly) {
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\data\\*.mmp"));
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\gta?.exe"));
    EXPECT_TRUE(FileExists(files, "C:\\Games\\GTA2\\*"));
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\data\\*.gmp"));
    // Only hidden and system files match this one.
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\*.dat"));
    // Only a folder matches this one.
    EXPECT_FALSE(FileExists(files, "C:\\Games\\GTA2\\dat?"));
}

TEST_F(FileExistsTest, RelativePathsStartInTheCurrentFolder) {
    EXPECT_FALSE(FileExists(files, "data\\attract\\attr1.rep"));
    files.ChangeFolder("C:\\Games\\GTA2");
    EXPECT_TRUE(FileExists(files, "data\\attract\\attr1.rep"));
}

// A search that fails outright (a drive that is not ready, say) must not
// escape: the answer is simply no.
class FailingSearch : public StandinFileSystem {
public:
    std::vector<std::string> FindPlainFiles(const std::string&) override {
        ++searches;
        throw Failure(71, "FileSystem", "Disk not ready");
    }
    int searches = 0;
};

TEST(FileExistsFailure, AFailingSearchAnswersFalseWithoutEscaping) {
    FailingSearch files;
    bool answer = true;
    EXPECT_NO_THROW(answer = FileExists(files, "A:\\gta2.exe"));
    EXPECT_FALSE(answer);
    EXPECT_EQ(files.searches, 1);
}

}  // namespace
