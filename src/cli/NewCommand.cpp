// talvor-cli new FILE [--name TEXT] [--commented] [--force]: writes the default
// worked item, optionally with its description and with comment lines that name
// every field, so that an engineer can edit it in a text editor. An existing
// file is an engineer's work: it is replaced only when asked, and then its
// previous version is kept as .BAK.
#include "cli/Commands.h"

#include "data/ItemOpening.h"

namespace {

struct NewArgs {
    std::string path;
    std::string name;
    bool commented = false;
    bool force = false;
};

int runNew(const NewArgs& args) {
    switch (WriteNewItemFile(args.path, args.name, args.commented, args.force)) {
        case NewItemFile::Written:
            return 0;
        case NewItemFile::Exists:
            return tell(1, "文件 %s 已存在, 未改写 (要覆盖请加 --force)\n", args.path.c_str());
        case NewItemFile::NotWritten:
            break;
    }
    return tell(1, "无法写入文件 %s\n", args.path.c_str());
}

}  // namespace

void addNewCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<NewArgs>();
    CLI::App* cmd = app.add_subcommand("new", "把系统默认例题写入计算数据文件 FILE");
    cmd->add_option("FILE", args->path, "要写入的计算数据文件")->required();
    cmd->add_option("--name", args->name, "项目描述, 即计算书中“计算项目：”一行的内容");
    cmd->add_flag("--commented", args->commented,
                  "在每行数据上方加注释行 (以 // 开头), 写明各数值的含义、单位和代码, "
                  "便于用文本编辑器修改");
    cmd->add_flag("--force", args->force, "覆盖已有的文件 (原文件保留为 .BAK)");
    cmd->callback([args, &exitCode] { exitCode = runNew(*args); });
}
