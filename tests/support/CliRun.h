// Runs the built talvor-cli as a user does, in a fresh directory, with its
// stdout and stderr kept in files of that directory.
#pragma once

#include "support/TestSupport.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#ifdef TALVOR_CLI
struct CliRun {
    TempDir dir;
    std::string program = TALVOR_CLI;  // another copy of talvor-cli, e.g. installed
    std::string from;                  // where it runs; empty: dir
    // Runs `talvor-cli args` from dir, env assignments (e.g. "-u NAME") first;
    // returns the exit status.
    int run(const std::string& args, const std::string& env = "") {
        const std::string cmd = "cd " + quoted(from.empty() ? dir.path() : from) + " && env " +
                                env + " " + quoted(program) + " " + args + " >" +
                                quoted(dir.file("stdout")) + " 2>" + quoted(dir.file("stderr"));
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // A shell word of any text: in single quotes, each ' written as '\''.
    static std::string quoted(const std::string& text) {
        std::string word = "'";
        for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return word + "'";
    }
    std::string read(const std::string& name) const { return readBytes(dir.file(name)); }
    std::string out() const { return read("stdout"); }
    std::string err() const { return read("stderr"); }
};
#endif
