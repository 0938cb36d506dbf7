// talvor-cli: the command-line front of the calculation core. Parses the
// arguments with CLI11; the work is done by the libraries.
#include "cli/Commands.h"
#include "cli/HelpFormatter.h"
#include "cli/UsageErrors.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <new>

int main(int argc, char** argv) {
    CLI::App app{"Talvor 滑坡抢险设计 — 命令行工具"};
    app.require_subcommand(1);
    int exitCode = 0;
    for (auto add :
         {addNewCommand, addCalcCommand, addRenderCommand, addProjectCommand, addImportDxfCommand,
          addReportCommand, addVerifyCommand, addTableCommand, addRebarCommand})
        add(app, exitCode);
    useChineseHelp(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return reportParseError(app, e, argc, argv);
    } catch (const std::bad_alloc&) {
        // Every reader bounds what it takes; this is the last word if
        // something still asks for more memory than there is.
        std::fprintf(stderr, "内存不足, 命令未能完成\n");
        return 1;
    }
    return exitCode;
}
