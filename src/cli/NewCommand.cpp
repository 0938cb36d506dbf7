// talvor-cli new FILE: writes the default worked item.
#include "cli/Commands.h"

#include "data/CSlideCalcData.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

void addNewCommand(CLI::App& app, int& exitCode) {
    auto path = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("new", "write the default worked item to FILE");
    cmd->add_option("FILE", *path, "item data file to write")->required();
    cmd->callback([path, &exitCode] {
        CSlideCalcData item;
        if (!item.WriteDataFile(*path)) {
            std::fprintf(stderr, "无法写入文件 %s\n", path->c_str());
            exitCode = 1;
            return;
        }
        exitCode = 0;
    });
}
