// The run of talvor-cli calc without its file system: the item is run in a
// scratch folder and what the run wrote there is handed back.
#include "web/WebCalc.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
#include "platform/DrawingShelf.h"
#include "platform/DrawingSvg.h"
#include "platform/LineReader.h"
#include "platform/ScratchDir.h"
#include "run/CalcRun.h"
#include "run/ResultNames.h"

#include <algorithm>
#include <filesystem>

namespace {

std::vector<WebFile> writtenFiles(const std::string& dir, const DrawingShelf& shelf) {
    std::vector<WebFile> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        WebFile f{entry.path().filename().string(), {}, {}};
        if (std::optional<std::string> bytes = readFileBytes(entry.path().string()))
            f.bytes = std::move(*bytes);
        if (std::shared_ptr<const DXF> drawing = shelf.find(f.name)) f.svg = formatSvg(*drawing);
        files.push_back(std::move(f));
    }
    std::sort(files.begin(), files.end(),
              [](const WebFile& a, const WebFile& b) { return a.name < b.name; });
    return files;
}

}  // namespace

WebRun RunWebCalculation(const CSlideCalcData& item, const std::string& name,
                         const WebProgress& progress) {
    WebRun out;
    WebSinks sinks;
    ScratchDir scratch;
    if (scratch.path().empty()) {
        out.status.push_back({301, "无法建立临时目录, 未计算"});
        return out;
    }
    WorkContext ctx;
    ctx.G_strWorkPath = scratch.path();
    ctx.status = &sinks;
    ctx.messages = &sinks;
    SearchOptions search;
    search.progress = progress;
    RunOptions options(search);
    options.itemPath = scratch.path() + name;

    CSlideCalcData run = item;
    CalcRunResult result = RunCalculation(run, ctx, ItemFileBase(name), options);
    out.result = result.result;
    out.noDesignSatisfies = result.noDesignSatisfies;
    out.errors = result.plausibility.errors;
    out.warnings = result.plausibility.warnings;
    out.figures = result.figures;
    out.reportText = result.report.utf8();
    out.reportName = std::filesystem::path(result.reportPath).filename().string();
    out.files = writtenFiles(scratch.path(), *result.drawings);
    out.dataFile = run.FormatDataFile();
    out.status = std::move(sinks.lines);
    return out;
}
