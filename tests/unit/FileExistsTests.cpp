// FileExists over a search that fails; what it answers over a working one is
// checked by the file-system suite, on the stand-in and on the real disk.

#include <gtest/gtest.h>

#include "platform/Failure.h"
#include "standin/StandinFileSystem.h"
#include "system/modMisc.h"

namespace {

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
