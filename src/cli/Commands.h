// Each subcommand registers itself on the application; its callback stores the
// process exit status in `exitCode` (0 success, 1 failed, 2 input unreadable,
// 3 an auto-design found no case that meets the requirement, or a table edit
// was refused, 4 a result that means nothing, 5 a result with warnings).
// What every command's file needs to register and print is included here.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>

// Tells the user why on stderr and gives the exit status that goes with it.
[[gnu::format(printf, 2, 3)]] inline int tell(int status, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    return status;
}

void addNewCommand(CLI::App& app, int& exitCode);
void addCalcCommand(CLI::App& app, int& exitCode);
void addRenderCommand(CLI::App& app, int& exitCode);
void addProjectCommand(CLI::App& app, int& exitCode);
void addImportDxfCommand(CLI::App& app, int& exitCode);
void addReportCommand(CLI::App& app, int& exitCode);
void addVerifyCommand(CLI::App& app, int& exitCode);
void addTableCommand(CLI::App& app, int& exitCode);
void addRebarCommand(CLI::App& app, int& exitCode);
