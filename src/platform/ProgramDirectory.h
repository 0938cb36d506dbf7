// The program directory holds the pile library, the template library and the
// user guide. It is found from the program file's own path, so that a program
// run from the build tree and one installed under a prefix both find theirs.
#pragma once

#include <string>

// The file whose presence marks a program directory.
inline constexpr const char* kProgramDirMark = "TalvorPile.Dat";

// The program directory of the program file at executablePath, ending with
// "/": the first of <dir>, then <a>/share/talvor and <a>/share for <a> the
// program's directory and its two parents, that holds the pile library. When
// none does, the program's own directory.
std::string findProgramDirectory(const std::string& executablePath);

// The program directory of the running program, found the one way both the
// desktop program and talvor-cli find it: the environment variable
// TALVOR_PROGRAM_DIR when it is set and not empty, else found from the
// program file (not from the current directory, so that an installed program
// started anywhere finds its files). Ends with "/".
std::string ProgramDirectory();

// The full path of the running program's file; empty when it cannot be told.
std::string RunningProgramFile();
