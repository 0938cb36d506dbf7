// talvor-cli render DRAWING.DXF OUT.png|svg: a picture of a DXF drawing.
#include "cli/Commands.h"

#include "render/DrawingRenderer.h"

#include <QGuiApplication>

namespace {

struct RenderArgs {
    std::string drawing;
    std::string picture;
    RenderOptions options;
};

int runRender(const RenderArgs& args) {
    auto app = makeOffscreenGuiApplication();
    std::string why;
    switch (renderDxfFile(args.drawing, args.picture, args.options, &why)) {
        case RenderFileOutcome::Written:
            return 0;
        case RenderFileOutcome::DrawingUnreadable:
            return tell(2, "无法读取图形文件 %s%s%s\n", args.drawing.c_str(),
                        why.empty() ? "" : ": ", why.c_str());
        case RenderFileOutcome::PictureNotWritten:
            break;
    }
    return tell(1, "%s\n", PictureNotWrittenReason(args.picture).c_str());
}

}  // namespace

void addRenderCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<RenderArgs>();
    CLI::App* cmd = app.add_subcommand("render", "把 DXF 图形画成 PNG 或 SVG 图片");
    cmd->add_option("DRAWING", args->drawing, "要读入的 DXF 图形")->required();
    cmd->add_option("OUT", args->picture, "要写出的图片, .png 或 .svg")->required();
    cmd->add_option("--width", args->options.maxWidth, "图片的最大宽度 (像素)")
        ->check(CLI::Range(16, 20000));
    cmd->add_option("--height", args->options.maxHeight, "图片的最大高度 (像素)")
        ->check(CLI::Range(16, 20000));
    cmd->callback([args, &exitCode] { exitCode = runRender(*args); });
}
