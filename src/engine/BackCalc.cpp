// Bisection on the residual thrust for the strength at the limit of stability.
#include "engine/BackCalc.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/FigureFormat.h"
#include "platform/ReportWriter.h"

#include <cmath>

namespace {

constexpr int kMaxHalvings = 100;
// Two bound trials and the halvings.
constexpr int kMostTrials = kMaxHalvings + 2;
// A residual thrust below 1 N per metre width counts as zero.
constexpr float kZeroThrust = 0.001f;

struct StrengthLines {
    const char* title;
    const char* stable;    // also the line of the value found
    const char* unstable;  // at the upper bound
};

// The friction line for instability has one blank less than its siblings.
constexpr StrengthLines kPhiLines{
    "已知C反算φ\n",
    "      摩擦角 = %s (度)时，滑坡推力\t= %s 满足要求\n",
    "     摩擦角 = %s (度)时，滑坡推力\t= %s 仍然不满足要求\n",
};
constexpr StrengthLines kCLines{
    "已知φ反算C\n",
    "      粘聚力 = %s (kN/m2)时，滑坡推力\t= %s 满足要求\n",
    "      粘聚力 = %s (kN/m2)时，滑坡推力\t= %s 仍然不满足要求\n",
};

void finish(SearchSummary* summary, int trials, SearchStop stop, const char* message) {
    if (!summary) return;
    summary->iterations = trials;
    summary->stop = stop;
    summary->message = message;
}

// Runs the search on a working copy whose strength `setAll` overwrites on every
// slip segment; that is all a fresh copy of the item would differ by.
int backCalc(const CSlideCalcData& item, ReportWriter& report, float* residualThrust,
             const SearchOptions& options, SearchSummary* summary, const StrengthLines& lines,
             float bound, int (CSlideCalcData::*setAll)(float), float* found) {
    report.printf("%s", lines.title);
    CSlideCalcData work = item;
    auto thrustAt = [&](float v) {
        (work.*setAll)(v);
        float angle = 0.0f, bermArea = 0.0f, trimmedArea = 0.0f;
        return ComputeThrust(work, nullptr, &angle, &bermArea, &trimmedArea, residualThrust);
    };
    const StrengthResult r = BisectZeroThrust(bound, thrustAt, options, summary);
    if (r.outcome == StrengthOutcome::Cancelled) return 0;
    if (found) *found = r.value;
    const char* line =
        r.outcome == StrengthOutcome::UnstableAtBound ? lines.unstable : lines.stable;
    report.printf(line, Fixed3(r.value).c_str(), Fixed3(r.thrust).c_str());
    return 1;
}

}  // namespace

StrengthResult BisectZeroThrust(float bound, const std::function<float(float)>& thrustAt,
                                const SearchOptions& options, SearchSummary* summary) {
    StrengthResult r;
    int trials = 0;
    auto trial = [&](float v) {
        const float E = thrustAt(v);
        ++trials;
        return E;
    };
    auto cancelled = [&] {
        if (searchGoesOn(options, trials, kMostTrials)) return false;
        finish(summary, trials, SearchStop::Cancelled, "cancelled");
        return true;
    };

    float lo = 0.0f, hi = bound;
    const float Elo = trial(lo);
    if (Elo < 0.0f) {
        finish(summary, trials, SearchStop::Settled, "stable without this strength");
        return {StrengthOutcome::StableAtZero, lo, Elo};
    }
    if (cancelled()) return r;
    const float Ehi = trial(hi);
    if (Ehi > 0.0f) {
        finish(summary, trials, SearchStop::Settled, "unstable at the upper bound");
        return {StrengthOutcome::UnstableAtBound, hi, Ehi};
    }
    if (cancelled()) return r;

    float mid = lo, E = Elo;
    for (int step = 0; step < kMaxHalvings; ++step) {
        mid = (lo + hi) / 2.0f;
        E = trial(mid);
        if (std::fabs(E) < kZeroThrust) {
            finish(summary, trials, SearchStop::Converged, "converged");
            return {StrengthOutcome::Found, mid, E};
        }
        if (E > 0.0f)
            lo = mid;
        else
            hi = mid;
        if (cancelled()) return r;
    }
    finish(summary, trials, SearchStop::Exhausted, "100 halvings without reaching 0.001");
    return {StrengthOutcome::Found, mid, E};
}

int BackCalcPhi(const CSlideCalcData& item, ReportWriter& report, float* residualThrust,
                const SearchOptions& options, SearchSummary* summary, float* found) {
    return backCalc(item, report, residualThrust, options, summary, kPhiLines, item.maxPhi,
                    &CSlideCalcData::SetAllPhi, found);
}

int BackCalcC(const CSlideCalcData& item, ReportWriter& report, float* residualThrust,
              const SearchOptions& options, SearchSummary* summary, float* found) {
    return backCalc(item, report, residualThrust, options, summary, kCLines, item.maxC,
                    &CSlideCalcData::SetAllC, found);
}
