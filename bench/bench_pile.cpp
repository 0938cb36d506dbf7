// One pile solution of a 30 m pile at 0.1 m between points: the linear
// m-method, and the K-method with A != A1 run through every pass of its limit.
#include "piles/PileSolver.h"

#include <benchmark/benchmark.h>

namespace {

// C30, 2 m x 3 m, 12 m free and 18 m embedded in three layers, hinged base.
CPile_ShuJu thirtyMetrePile(int method, int base) {
    CPile_ShuJu p;
    p.isRectangular = 1;
    p.sectionB = p.resistWidth = 2.0f;
    p.sectionH = 3.0f;
    p.spacing = 6.0f;
    p.gradeNumber = 30;
    p.freeLength = 12.0f;
    p.embedDepth = 18.0f;
    p.method = method;
    p.baseCondition = base;
    p.layerCount = 3;
    p.layers[0] = {12.0f + 5.0f, 18.0f, 20.0f, 20.0f, 100.0f};
    p.layers[1] = {6.0f, 18.0f, 50.0f, 50.0f, 300.0f};
    p.layers[2] = {1000.0f, 18.0f, 120.0f, 120.0f, 800.0f};
    return p;
}

void solveAll(benchmark::State& state, CPile_ShuJu pile, float A, float A1,
              PileSolverOptions options) {
    const float H = 1500.0f, L = pile.freeLength;
    PileSolver solver(options);
    solver.SetData(&pile);
    solver.SetLoadTable({{0.0f, 0.0f, H / L}, {L, H / L, 0.0f}});
    solver.SetCoefA(A);
    solver.SetCoefA1(A1);
    for (auto _ : state) benchmark::DoNotOptimize(solver.calculate_DTQ());
    state.counters["points"] = solver.pointCount();
    state.counters["passes"] = solver.summary().passes;
}

void BM_ThirtyMetrePileMMethod(benchmark::State& state) {
    solveAll(state, thirtyMetrePile(0, 1), 0.0f, 0.0f, {});
}
BENCHMARK(BM_ThirtyMetrePileMMethod)->Unit(benchmark::kMicrosecond);

void BM_ThirtyMetrePileKMethodSettling(benchmark::State& state) {
    solveAll(state, thirtyMetrePile(2, 0), 60.0f, 10.0f, {});
}
BENCHMARK(BM_ThirtyMetrePileKMethodSettling)->Unit(benchmark::kMicrosecond);

// Every one of the 100 passes run: the worst the A/A1 iteration can cost.
void BM_ThirtyMetrePileKMethodAtPassLimit(benchmark::State& state) {
    PileSolverOptions options;
    options.stopWhenSettled = false;
    solveAll(state, thirtyMetrePile(2, 0), 60.0f, 10.0f, options);
}
BENCHMARK(BM_ThirtyMetrePileKMethodAtPassLimit)->Unit(benchmark::kMillisecond);

}  // namespace
