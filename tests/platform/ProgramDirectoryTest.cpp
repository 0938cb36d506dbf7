// Where the program finds its directory in a build tree, an installed tree and
// a flat installation.
#include "platform/ProgramDirectory.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

TEST(ProgramDirectory, FoundBesideTheProgramInShareOrShareTalvorAndElseTheProgramsOwn) {
    // Where the pile library lies ("" for nowhere), the program, the directory found.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"flat/TalvorPile.Dat", "flat/talvor", "flat/"},
        {"usr/share/talvor/TalvorPile.Dat", "usr/bin/talvor", "usr/share/talvor/"},
        {"build/share/TalvorPile.Dat", "build/src/shell/talvor", "build/share/"},
        {"", "lonely/bin/talvor", "lonely/bin/"},
    };
    namespace fs = std::filesystem;
    for (const auto& [layout, program, expected] : cases) {
        TempDir root;
        fs::create_directories(fs::path(root.file(program)).parent_path());
        if (*layout) {
            fs::create_directories(fs::path(root.file(layout)).parent_path());
            writeBytes(root.file(layout), "pile library");
        }
        EXPECT_EQ(findProgramDirectory(root.file(program)), root.file(expected)) << program;
    }
}

TEST(ProgramDirectory, TheEnvironmentNamesItElseTheRunningProgramFileFindsIt) {
    const std::string program = RunningProgramFile();
    ASSERT_TRUE(std::filesystem::is_regular_file(program)) << program;
    unsetenv("TALVOR_PROGRAM_DIR");
    EXPECT_EQ(ProgramDirectory(), findProgramDirectory(program));
    setenv("TALVOR_PROGRAM_DIR", "", 1);
    EXPECT_EQ(ProgramDirectory(), findProgramDirectory(program));
    setenv("TALVOR_PROGRAM_DIR", "given", 1);
    EXPECT_EQ(ProgramDirectory(), "given/");
    unsetenv("TALVOR_PROGRAM_DIR");
}
