// talvor-cli: the command-line front of the calculation core. Parses the
// arguments with CLI11; the work is done by the libraries.
#include "cli/Commands.h"

#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
    CLI::App app{"Talvor 滑坡抢险设计 — command line"};
    app.require_subcommand(1);
    int exitCode = 0;
    addNewCommand(app, exitCode);
    addCalcCommand(app, exitCode);
    addRenderCommand(app, exitCode);
    addProjectCommand(app, exitCode);
    addImportDxfCommand(app, exitCode);
    addReportCommand(app, exitCode);
    addVerifyCommand(app, exitCode);
    CLI11_PARSE(app, argc, argv);
    return exitCode;
}
