// talvor-cli render DRAWING.DXF OUT.png|svg: a picture of a DXF drawing.
#include "cli/Commands.h"

#include "render/DrawingRenderer.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct RenderArgs {
    std::string drawing;
    std::string picture;
    RenderOptions options;
};

int runRender(const RenderArgs& args) {
    auto app = makeOffscreenGuiApplication();
    switch (renderDxfFile(args.drawing, args.picture, args.options)) {
        case RenderFileOutcome::Written:
            return 0;
        case RenderFileOutcome::DrawingUnreadable:
            std::fprintf(stderr, "无法读取图形文件 %s\n", args.drawing.c_str());
            return 2;
        case RenderFileOutcome::PictureNotWritten:
            break;
    }
    std::fprintf(stderr, "无法写入图片 %s (扩展名须为 .png 或 .svg)\n", args.picture.c_str());
    return 1;
}

}  // namespace

void addRenderCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<RenderArgs>();
    CLI::App* cmd = app.add_subcommand("render", "draw a DXF drawing as a PNG or SVG picture");
    cmd->add_option("DRAWING", args->drawing, "DXF drawing to read")->required();
    cmd->add_option("OUT", args->picture, "picture to write, .png or .svg")->required();
    cmd->add_option("--width", args->options.maxWidth, "largest picture width in pixels")
        ->check(CLI::Range(16, 20000));
    cmd->add_option("--height", args->options.maxHeight, "largest picture height in pixels")
        ->check(CLI::Range(16, 20000));
    cmd->callback([args, &exitCode] { exitCode = runRender(*args); });
}
