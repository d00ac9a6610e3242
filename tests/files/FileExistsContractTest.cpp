// FileExists and the search under it, the same cases over the stand-in and
// over the real disk: where the two disagree, the stand-in is wrong.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "platform/Failure.h"
#include "support/FileSystemTestWorld.h"
#include "system/modMisc.h"

namespace {

class FileExistsContract : public ::testing::Test {
protected:
    void SetUp() override {
        world = MakeFileSystemTestWorld();
        world->Write("gta2.exe", "MZ");
        world->Write("readme.txt", "read me", FileMark::ReadOnly);
        world->Write("hidden.dat", "h", FileMark::Hidden);
        world->Write("system.dat", "s", FileMark::System);
        world->Write("data\\attract\\attr1.rep", "demo");
        world->Write("data\\ste.mmp", "[MapFiles]\r\n");
    }
    std::string In(const std::string& relative) const { return world->Folder() + "\\" + relative; }
    bool Exists(const std::string& path) { return FileExists(world->Files(), path); }

    std::unique_ptr<FileSystemTestWorld> world;
};

struct Case {
    const char* path;  // below the test's folder
    bool exists;
    const char* why;
};

const Case kCases[] = {
    {"gta2.exe", true, "a plain file"},
    {"readme.txt", true, "read-only files count"},
    {"data\\attract\\attr1.rep", true, "two folders down"},
    {"GTA2.exe", true, "letter case is ignored"},
    {"DATA\\ATTRACT\\ATTR1.REP", true, "in the folders' names too"},
    {"data\\*.mmp", true, "a wildcard matches as a pattern"},
    {"gta?.exe", true, "so does a single-character one"},
    {"*", true, "any plain file"},
    {"hidden.dat", false, "hidden files do not count"},
    {"system.dat", false, "nor do system files"},
    {"data", false, "nor folders"},
    {"data\\attract", false, "nor folders further down"},
    {"*.dat", false, "only hidden and system files match"},
    {"dat?", false, "only a folder matches"},
    {"data\\*.gmp", false, "nothing matches"},
    {"gta2.ex", false, "a name is matched whole"},
    {"missing.exe", false, "no such file"},
    {"nofolder\\gta2.exe", false, "no such folder"},
};

TEST_F(FileExistsContract, OnlyPlainAndReadOnlyFilesExistWhateverTheCaseOrPattern) {
    for (const Case& c : kCases) EXPECT_EQ(Exists(In(c.path)), c.exists) << c.path << ": " << c.why;

    std::string lower = In("data\\attract\\attr1.rep");
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    EXPECT_TRUE(Exists(lower)) << lower;
}

TEST_F(FileExistsContract, PathsThatLeadNowhereFindNothing) {
    // No such drive or host: the answer comes back without any system box
    // waiting for a medium.
    EXPECT_FALSE(Exists("Q:\\gta2.exe"));
    EXPECT_FALSE(Exists("\\\\nohost\\share\\gta2.exe"));
    EXPECT_FALSE(Exists(""));
}

TEST_F(FileExistsContract, RelativePathsStartInTheCurrentFolder) {
    EXPECT_FALSE(Exists("data\\attract\\attr1.rep"));
    world->Files().ChangeFolder(world->Folder());
    EXPECT_TRUE(Exists("data\\attract\\attr1.rep"));
}

TEST_F(FileExistsContract, FullPathsAreTakenFromTheCurrentFolder) {
    FileSystem& files = world->Files();
    files.ChangeFolder(world->Folder());
    const std::string folder = world->Folder();
    struct Case {
        std::string path;
        std::string full;
    };
    const Case cases[] = {
        {".", folder},
        {"data\\attract", folder + "\\data\\attract"},
        {"data\\", folder + "\\data\\"},
        {"data\\..\\data\\.\\attract\\", folder + "\\data\\attract\\"},
        {folder + "\\\\data", folder + "\\data"},
        {"\\", folder.substr(0, 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(files.FullPath(c.path), c.full) << c.path;
    EXPECT_THROW(files.FullPath(""), Failure);
}

TEST_F(FileExistsContract, TheSearchNamesPlainFilesWithoutTheirFolder) {
    std::vector<std::string> names = world->Files().FindPlainFiles(In("*"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"gta2.exe", "readme.txt"}));
}

}  // namespace
