// Stability factor by the transfer-coefficient method as the Chinese slope
// codes give it (GB 50330-2013, Annex A): block i hands the block below
// E_i = T_i + ψ_i·E_(i−1) − R_i/Fs, and Fs is the factor at which the last
// block hands on nothing. The implicit solution keeps Fs inside ψ; the
// explicit one leaves it out and closes in one sum.
#include "engine/Stability.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustBlock.h"
#include "engine/ThrustPass.h"

#include <cmath>
#include <numbers>

namespace {

// Below this a block's forces count as none (the pass's own threshold).
constexpr double kNoForce = 0.0001;
// The bisection stops once the bracket is this narrow: far below the 1e-4 the
// report shows, so that the last block's force at the reported Fs is ~0.
constexpr double kBracket = 1e-9;
constexpr int kMaxBisections = 200;
// Steps of the walk down the range, each 1.7 % below the one before: two
// roots closer than that are not told apart.
constexpr int kScanSteps = 400;

// T and R of one block from the loads of the pass, every driving force
// unfactored:
//   T = D + Q + Px·cos α + W·sin α + Py·sin α
//   N₀ = (W + Py)·cos α − Px·sin α − U − Uc,   R = c·L + N₀·tan φ
StabilityBlock stabilityBlock(int k, const PassBlock& p) {
    StabilityBlock b;
    b.k = k;
    b.s = p.s;
    b.xStart = p.xStart;
    b.xEnd = p.xEnd;
    b.vertical = p.vertical;
    b.alpha = p.alpha;
    b.N = p.N;
    b.tanPhi = std::tan(static_cast<double>(p.phiDeg) * std::numbers::pi / 180.0);
    if (p.vertical) return b;
    b.delta = static_cast<double>(p.prevAngle) - p.alpha;
    const BlockLoads& f = p.loads;
    const double W = f.g.weight, sinA = std::sin(b.alpha), cosA = std::cos(b.alpha);
    b.T = f.D + f.Q + f.px * cosA + W * sinA + f.py * sinA;
    const double N0 = (W + f.py) * cosA - f.px * sinA - f.U - f.Uc;
    b.R = static_cast<double>(p.c) * f.g.slipLength + N0 * b.tanPhi;
    return b;
}

bool carriesForce(const std::vector<StabilityBlock>& blocks) {
    for (const StabilityBlock& b : blocks)
        if (std::fabs(b.T) > kNoForce || std::fabs(b.R) > kNoForce) return true;
    return false;
}

// Below the physical root the implicit ψ can turn negative and flip the sign
// of a negative force handed on, which makes further, spurious roots at small
// Fs. The last block pushes once Fs is above the physical root, so the search
// walks down from the upper bound to the first sign change, the largest root,
// and bisects there.
void solveImplicit(StabilityResult& r) {
    auto E = [&](double Fs) { return ImplicitResidual(r.blocks, Fs); };
    double hi = kFsHighest, eHi = E(hi);
    if (eHi < 0.0) {
        r.outcome = FsOutcome::AboveRange;
        r.implicitFs = hi;
        return;
    }
    const double step = std::pow(kFsLowest / kFsHighest, 1.0 / kScanSteps);
    double lo = hi, eLo = eHi;
    for (int i = 1; i <= kScanSteps && eLo > 0.0; ++i) {
        hi = lo, eHi = eLo;
        lo = i == kScanSteps ? kFsLowest : kFsHighest * std::pow(step, i);
        eLo = E(lo);
    }
    if (eLo > 0.0) {
        r.outcome = FsOutcome::BelowRange;
        r.implicitFs = kFsLowest;
        return;
    }
    r.outcome = FsOutcome::Solved;
    // E(lo) ≤ 0 < E(hi), or the upper bound itself is the root.
    double mid = eHi == 0.0 ? hi : lo;
    for (int i = 0; i < kMaxBisections && eLo != 0.0 && eHi != 0.0 && hi - lo > kBracket; ++i) {
        mid = 0.5 * (lo + hi);
        const double eMid = E(mid);
        if (eMid == 0.0) break;
        if (eMid < 0.0)
            lo = mid, eLo = eMid;
        else
            hi = mid, eHi = eMid;
    }
    r.implicitFs = mid;
}

// Fs = (Σ R_i·Π ψ + R_n) / (Σ T_i·Π ψ + T_n), the products running over the
// blocks below i; summed from the crest down as Horner's scheme.
void solveExplicit(StabilityResult& r) {
    double resisting = 0.0, driving = 0.0;
    for (const StabilityBlock& b : r.blocks) {
        const double psi = ExplicitPsi(b);
        resisting = resisting * psi + b.R;
        driving = driving * psi + b.T;
    }
    r.explicitDefined = driving > kNoForce;
    r.explicitFs = r.explicitDefined ? resisting / driving : 0.0;
}

}  // namespace

CSlideCalcData WithoutCountermeasures(const CSlideCalcData& item) {
    CSlideCalcData bare = item;
    bare.usePiles = bare.useBerm = bare.useUnload = 0;
    return bare;
}

double ExplicitPsi(const StabilityBlock& b) {
    if (b.vertical) return 1.0;
    return std::cos(b.delta) - std::sin(b.delta) * b.tanPhi;
}

double ImplicitResidual(const std::vector<StabilityBlock>& blocks, double Fs,
                        std::vector<double>* psi, std::vector<double>* E) {
    if (psi) psi->clear();
    if (E) E->clear();
    double e = 0.0;
    for (const StabilityBlock& b : blocks) {
        // Neither a negative force nor the friction is cut: the balance must
        // hold exactly at Fs.
        double p = 1.0;
        if (!b.vertical) {
            p = std::cos(b.delta) - std::sin(b.delta) * b.tanPhi / Fs;
            e = b.T + p * e - b.R / Fs;
        }
        if (psi) psi->push_back(p);
        if (E) E->push_back(e);
    }
    return e;
}

StabilityResult ComputeStability(const CSlideCalcData& item) {
    CSlideCalcData withoutPiles = item;
    withoutPiles.usePiles = 0;
    std::vector<PassBlock> pass;
    ComputeThrustBlocks(withoutPiles, pass);
    StabilityResult r;
    r.xStar = ThrustPosition(withoutPiles);
    for (size_t k = 0; k < pass.size(); ++k)
        r.blocks.push_back(stabilityBlock(static_cast<int>(k), pass[k]));
    if (!carriesForce(r.blocks)) return r;
    solveImplicit(r);
    solveExplicit(r);
    return r;
}

std::string StabilityState(double Fs, double Fst) {
    if (!(Fs >= 1.0)) return "不稳定";
    if (Fs < 1.05) return "欠稳定";
    if (Fs < Fst) return "基本稳定";
    return "稳定";
}
