// The report of the largest item as the report view takes it after a
// calculation: loaded, its directives expanded into pictures, laid out and
// the first screen painted. Two reports: the pile forces and a pile design
// of the maximal item, each with every drawing its run wrote inserted. The
// goal is under 0.3 s a report.
#include "MaximalItem.h"

#include "platform/ReportWriter.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/RtfReader.h"
#include "render/DrawingRenderer.h"
#include "render/ReportPictures.h"
#include "render/ReportTextDocument.h"
#include "run/CalcRun.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

void needGui() {
    static std::unique_ptr<QGuiApplication> app = makeOffscreenGuiApplication();
}

// Calculates the maximal item with the goal and target into a directory of
// its own; the report then inserts every result drawing the run wrote.
std::string calculatedReport(int goal, int target) {
    std::string dir = (std::filesystem::temp_directory_path() /
                       ("talvor_bench_report_" + std::to_string(goal) + std::to_string(target)))
                          .string();
    std::filesystem::create_directories(dir);
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(dir);
    StderrSinks sinks;
    ctx.status = &sinks;
    ctx.messages = &sinks;
    CSlideCalcData item = MaximalItem();
    item.goal = goal;
    (goal == 0 ? item.checkTarget : item.designTarget) = target;
    CalcRunResult run = RunCalculation(item, ctx, "max");
    ReportWriter report = run.report;
    for (int i = 0; i < item.resultCount(); ++i) {
        std::string file = item.GetDxfFileName(i);
        if (std::filesystem::exists(ctx.G_strWorkPath + file) &&
            report.utf8().find("InsertDxf=" + file) == std::string::npos)
            MorvaneScript(report, "InsertDxf=" + file);
    }
    report.saveGbk(run.reportPath);
    return run.reportPath;
}

void BM_ReportLoadedExpandedShown(benchmark::State& state) {
    needGui();
    std::string path = state.range(0) == 0 ? calculatedReport(0, 2) : calculatedReport(1, 0);
    std::string work = withTrailingSlash(std::filesystem::path(path).parent_path().string());
    int pictures = 0;
    for (auto _ : state) {
        auto store = std::make_shared<ReportPictureStore>(work);
        QTextDocument doc;
        prepareReportDocument(doc, store);
        QTextCursor cursor(&doc);
        insertReport(cursor, *LoadReport(path), *store);
        ExpandScriptInDocument(doc, *store);
        // A report view of 900 × 700 pixels.
        doc.setTextWidth(900);
        QImage screen(900, 700, QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        doc.drawContents(&painter, QRectF(0, 0, 900, 700));
        pictures = doc.toPlainText().count(QChar::ObjectReplacementCharacter);
    }
    state.counters["pictures"] = pictures;
}
BENCHMARK(BM_ReportLoadedExpandedShown)
    ->Arg(0)  // pile forces
    ->Arg(1)  // pile design
    ->Unit(benchmark::kMillisecond);

// The report as the calculation leaves it since it writes RTF with its
// pictures: the 2000-trial berm design of the maximal item, loaded as the
// report view loads it, laid out and its first screen painted. Wall time is
// what the engineer waits; the goal is under 0.3 s.
void BM_CalculatedRtfFirstScreen(benchmark::State& state) {
    needGui();
    BenchWorkContext scratch;
    const WorkContext& ctx = scratch.ctx;
    CSlideCalcData item = MaximalItem();
    item.goal = 1;
    item.designTarget = 1;
    CalcRunResult run = RunCalculation(item, ctx, "max");
    int missing = 0;
    WriteExpandedReport(run.reportPath, run.report.utf8(), ctx.G_strWorkPath, missing,
                        run.drawings.get());
    for (auto _ : state) {
        auto store = std::make_shared<ReportPictureStore>(ctx.G_strWorkPath);
        QTextDocument doc;
        prepareReportDocument(doc, store);
        QTextCursor cursor(&doc);
        insertReport(cursor, *LoadReport(run.reportPath), *store);
        breakLongParagraphs(doc);
        doc.setTextWidth(900);
        QImage screen(900, 700, QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        doc.drawContents(&painter, QRectF(0, 0, 900, 700));
    }
    state.counters["rtf_bytes"] = static_cast<double>(std::filesystem::file_size(run.reportPath));
}
BENCHMARK(BM_CalculatedRtfFirstScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
