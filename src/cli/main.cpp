// talvor-cli: the command-line front of the calculation core. Parses the
// arguments and hands each subcommand to the libraries.
#include "data/CSlideCalcData.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

namespace {

int newItem(const std::string& path) {
    CSlideCalcData item;
    if (!item.WriteDataFile(path)) {
        std::fprintf(stderr, "无法写入文件 %s\n", path.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Talvor 滑坡抢险设计 — command line"};
    app.require_subcommand(1);

    std::string newPath;
    CLI::App* cmdNew = app.add_subcommand("new", "write the default worked item to FILE");
    cmdNew->add_option("FILE", newPath, "item data file to write")->required();

    CLI11_PARSE(app, argc, argv);

    if (*cmdNew) return newItem(newPath);
    return 2;
}
