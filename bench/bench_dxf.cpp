// The million-line drawing: read from DXF, and read and rendered into a PNG as
// `talvor-cli render` does. Google Benchmark prints both the wall time
// ("Time") and the processor time ("CPU"): on a loaded machine the second is
// the figure to compare.
#include "platform/Drawing.h"
#include "render/DrawingRenderer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// The drawing of the hostile-input tests: a million short lines in a
// thousand rows, as R12 writers leave them (about 60 MB).
class MillionLines {
  public:
    MillionLines() {
        m_path = (std::filesystem::temp_directory_path() /
                  ("talvor-bench-million-" + std::to_string(::getpid()) + ".dxf"))
                     .string();
        std::ofstream out(m_path, std::ios::binary);
        out << "0\nSECTION\n2\nENTITIES\n";
        for (int i = 0; i < 1'000'000; ++i) {
            const int x = i % 1000, y = i / 1000;
            out << "0\nLINE\n8\n0\n10\n"
                << x << "\n20\n"
                << y << "\n30\n0\n11\n"
                << x + 1 << "\n21\n"
                << y + 1 << "\n31\n0\n";
        }
        out << "0\nENDSEC\n0\nEOF\n";
    }
    ~MillionLines() { std::filesystem::remove(m_path); }
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};

const MillionLines& millionLines() {
    static MillionLines file;
    return file;
}

void BM_MillionLineDrawingRead(benchmark::State& state) {
    const std::string& path = millionLines().path();
    for (auto _ : state) {
        DXF d;
        if (!d.Read_FileDxf_To_Mem(path)) state.SkipWithError("drawing not read");
        benchmark::DoNotOptimize(d.entities().data());
    }
}
BENCHMARK(BM_MillionLineDrawingRead)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MillionLineDrawingRendered(benchmark::State& state) {
    static std::unique_ptr<QGuiApplication> app = makeOffscreenGuiApplication();
    const std::string& path = millionLines().path();
    const std::string png = path + ".png";
    for (auto _ : state) {
        if (renderDxfFile(path, png) != RenderFileOutcome::Written)
            state.SkipWithError("drawing not rendered");
    }
    std::filesystem::remove(png);
}
BENCHMARK(BM_MillionLineDrawingRendered)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
