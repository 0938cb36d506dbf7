// Geometry checks over the blocks of the stability pass and the section lines
// inside the sliding mass.
#include "engine/GeometryWarnings.h"

#include "data/CSlideCalcData.h"
#include "engine/SectionLines.h"
#include "engine/Stability.h"
#include "platform/PrintfFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace {

// The transfer-coefficient method assumes the force of the block above turns
// gently onto the next segment; beyond this bend its error grows.
constexpr double kMaxBendDegrees = 10.0;
// ψ of a straight surface is 1 up to the rounding of the angles.
constexpr double kPsiRounding = 1e-6;
// Heights closer than this count as equal (m).
constexpr float kHeightTolerance = 1e-3f;

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

void blockWarnings(const StabilityResult& r, std::vector<std::string>& out) {
    const StabilityBlock* above = nullptr;
    for (const StabilityBlock& b : r.blocks) {
        if (b.vertical) continue;
        if (above) {
            const double bend = std::fabs(degrees(b.alpha - above->alpha));
            if (bend > kMaxBendDegrees)
                out.push_back(stringPrintf(
                    "第 %d 块与第 %d 块的滑面倾角相差 %.1f 度(大于 10 度)，传递系数法在此误差较大",
                    above->k + 1, b.k + 1, bend));
            const double psi = ExplicitPsi(b);
            if (psi > 1.0 + kPsiRounding)
                out.push_back(
                    stringPrintf("第 %d 块与第 %d 块之间传递系数 ψ = %.4f > 1 (下段滑面变陡)",
                                 above->k + 1, b.k + 1, psi));
        }
        above = &b;
    }
    for (const StabilityBlock& b : r.blocks)
        if (!b.vertical && b.N < 0.0f)
            out.push_back(
                stringPrintf("第 %d 块滑床反力为负 (R = %.3f kN)，摩擦力按 0 计", b.k + 1, b.N));
}

// The positions where the height difference of two polylines can be extreme
// inside [lo, hi]: both ends and every vertex of the lines between them.
std::vector<float> probePoints(const SectionLines& lines, std::initializer_list<LineKind> kinds,
                               float lo, float hi) {
    std::set<float> xs{lo, hi};
    for (LineKind kind : kinds)
        for (int i = 0; i < lines.count(kind); ++i)
            if (lo < lines.xs(kind)[i] && lines.xs(kind)[i] < hi) xs.insert(lines.xs(kind)[i]);
    return {xs.begin(), xs.end()};
}

// 1-based number of the entered segment of a line over x (0 when none is).
int segmentAt(const SectionLines& lines, LineKind kind, float x) {
    for (int i = 0; i + 1 < lines.count(kind); ++i)
        if (lines.xs(kind)[i] <= x && x <= lines.xs(kind)[i + 1]) return i + 1;
    return 0;
}

// Heights inside the mass are read from within it at its two ends.
float heightAt(const SectionLines& lines, LineKind kind, float x, float lo) {
    return lines.yAtX(kind, x, x <= lo ? 1 : 0);
}

// Where the slip surface runs out above the ground at the crest or the toe the
// mass simply ends; a slope surface that dips under the slip surface between
// two parts of the mass is the finding.
void slopeWarnings(const SectionLines& lines, float lo, float hi, std::vector<std::string>& out) {
    const std::vector<float> xs = probePoints(lines, {Slip, Slope}, lo, hi);
    std::vector<float> depth;
    for (float x : xs)
        depth.push_back(heightAt(lines, Slip, x, lo) - heightAt(lines, Slope, x, lo));
    auto hasMass = [](float d) { return d < -kHeightTolerance; };
    const auto first = std::find_if(depth.begin(), depth.end(), hasMass);
    const auto last = std::find_if(depth.rbegin(), depth.rend(), hasMass);
    if (first == depth.end()) return;
    std::set<int> named;
    for (auto d = first; d != last.base(); ++d) {
        const float x = xs[d - depth.begin()];
        const int seg = segmentAt(lines, Slope, x);
        if (*d > kHeightTolerance && named.insert(seg).second)
            out.push_back(
                stringPrintf("坡面线第 %d 段在 X = %.3fm 处低于滑面线 %.3fm", seg, x, *d));
    }
}

// The water line always acts (without segments it is level at its start), so
// one that never rises above the slip surface is worth a word too.
void waterWarnings(const SectionLines& lines, float lo, float hi, std::vector<std::string>& out) {
    std::set<int> named;
    bool aboveSlip = false;
    for (float x : probePoints(lines, {Slip, Slope, Water}, lo, hi)) {
        const float yw = heightAt(lines, Water, x, lo);
        if (yw - heightAt(lines, Slip, x, lo) > kHeightTolerance) aboveSlip = true;
        const float rise = yw - heightAt(lines, Slope, x, lo);
        const int seg = segmentAt(lines, Water, x);
        if (rise > kHeightTolerance && named.insert(seg).second)
            out.push_back(
                stringPrintf("水位线第 %d 段在 X = %.3fm 处高出坡面线 %.3fm", seg, x, rise));
    }
    if (!aboveSlip) out.push_back("水位线在滑体范围内处处不高于滑面线，不起作用");
}

}  // namespace

std::vector<std::string> GeometryWarnings(const CSlideCalcData& item,
                                          const StabilityResult& stability) {
    std::vector<std::string> out;
    blockWarnings(stability, out);
    if (stability.blocks.empty()) return out;
    float lo = stability.blocks.front().xStart, hi = stability.blocks.front().xEnd;
    for (const StabilityBlock& b : stability.blocks) {
        lo = std::min(lo, b.xStart);
        hi = std::max(hi, b.xEnd);
    }
    SectionLines lines(item);
    slopeWarnings(lines, lo, hi, out);
    waterWarnings(lines, lo, hi, out);
    return out;
}
