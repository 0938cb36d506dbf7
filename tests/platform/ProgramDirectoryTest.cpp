// Where the program finds its directory in a build tree, an installed tree and
// a flat installation.
#include "platform/ProgramDirectory.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(ProgramDirectory, FoundBesideTheProgramInShareOrShareTalvorAndElseTheProgramsOwn) {
    struct Case {
        const char* layout;  // where the pile library lies, "" for nowhere
        const char* program;
        const char* expected;
    };
    const Case cases[] = {
        {"flat/TalvorPile.Dat", "flat/talvor", "flat/"},
        {"usr/share/talvor/TalvorPile.Dat", "usr/bin/talvor", "usr/share/talvor/"},
        {"build/share/TalvorPile.Dat", "build/src/shell/talvor", "build/share/"},
        {"", "lonely/bin/talvor", "lonely/bin/"},
    };
    for (const Case& c : cases) {
        TempDir root;
        std::filesystem::create_directories(
            std::filesystem::path(root.file(c.program)).parent_path());
        if (*c.layout) {
            std::filesystem::create_directories(
                std::filesystem::path(root.file(c.layout)).parent_path());
            writeBytes(root.file(c.layout), "pile library");
        }
        EXPECT_EQ(findProgramDirectory(root.file(c.program)), root.file(c.expected)) << c.program;
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
