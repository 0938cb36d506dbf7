// talvor-cli import-dxf ITEM DRAWING.DXF [--unit m|mm|cm|FACTOR]: fills the
// slip surface, slope surface and water line of an item data file from the
// yellow, green and blue polylines of a drawing.
#include "cli/Commands.h"

#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/DxfImport.h"

namespace {

struct ImportArgs {
    std::string item;
    std::string drawing;
    std::string unit = "m";
};

int runImport(const ImportArgs& args) {
    const std::string item = resolvePath(args.item);
    StderrSinks sinks;
    const ItemFileImported done = ImportIntoItemFile(item, args.drawing, args.unit, sinks, sinks);
    switch (done.outcome) {
        case ItemFileImport::BadUnit:
            return tell(2, "绘制单位须为 m、mm、cm 或大于 0、至多 1000000 的换算比例: %s\n",
                        args.unit.c_str());
        case ItemFileImport::ItemUnreadable:
            return 2;
        case ItemFileImport::ItemGuessed:
            return tell(2, "计算数据文件读入时有疑问 (见上), 未改写 %s\n", item.c_str());
        case ItemFileImport::DrawingUnreadable:
            return 1;
        case ItemFileImport::NoLines:
            return tell(1, "图中没有黄色、绿色或蓝色的多义线，数据未改变\n");
        case ItemFileImport::NotWritten:
            return tell(1, "无法写入计算数据文件 %s\n", item.c_str());
        case ItemFileImport::Imported:
            break;
    }
    const DxfImportSummary& f = done.found;
    std::printf("滑面线: %s  坡面线: %s  水面线: %s\n", f.slip ? "读入" : "未变",
                f.slope ? "读入" : "未变", f.water ? "读入" : "未变");
    return 0;
}

}  // namespace

void addImportDxfCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* cmd =
        app.add_subcommand("import-dxf", "从 DXF 图形读入一个项目的滑面线、坡面线和水面线");
    cmd->add_option("ITEM", args->item, "计算数据文件, 读入各线后改写")->required();
    cmd->add_option("DRAWING", args->drawing, "DXF 图形 (滑面线黄色, 坡面线绿色, 水面线蓝色)")
        ->required();
    cmd->add_option("--unit", args->unit, "图形的单位: m、mm、cm 或换算为米的比例")
        ->capture_default_str();
    cmd->callback([args, &exitCode] { exitCode = runImport(*args); });
}
