// The entry point of every GUI test program: GoogleTest's own options, then
// --program=PATH (the program under test) and --artifacts=FOLDER (where
// screenshots go), both given by CTest.

#include <gtest/gtest.h>

#include <cstring>

#include "GuiDriver.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--program=", 10) == 0) {
            gui::SetProgramPath(argv[i] + 10);
        } else if (std::strncmp(argv[i], "--artifacts=", 12) == 0) {
            gui::SetArtifactFolder(argv[i] + 12);
        }
    }
    return RUN_ALL_TESTS();
}
