// The stability factor Fs of the sliding mass by the transfer-coefficient
// method, implicit and explicit solution, over the blocks and loads of the
// thrust pass run without piles and with every driving force unfactored.
// Reporting it is the run's business.
#pragma once

#include <string>
#include <vector>

class CSlideCalcData;

// One block of the stability solution, in the order of the pass (crest first).
struct StabilityBlock {
    int k = 0;  // block number of the pass, 0 for the crest block
    int s = 0;  // slip segment
    float xStart = 0.0f, xEnd = 0.0f;
    bool vertical = false;  // passes the force on unchanged
    double alpha = 0.0;     // radians
    double delta = 0.0;     // Δ = α of the force received − α
    double tanPhi = 0.0;
    double T = 0.0;  // driving force along the slip segment, K = 1
    double R = 0.0;  // c·L + N₀·tan φ, N₀ without the force received
    float N = 0.0f;  // normal force in the pass (with the force received)
};

enum class FsOutcome {
    Solved,      // a root within the search range
    BelowRange,  // the last block still pushes at the lower bound: Fs below it
    AboveRange,  // the last block holds even at the upper bound: Fs above it
    NoMass,      // no block carries any force: Fs is undefined
};

struct StabilityResult {
    std::vector<StabilityBlock> blocks;
    float xStar = 0.0f;  // where the pass ended
    FsOutcome outcome = FsOutcome::NoMass;
    double implicitFs = 0.0;       // the root, or the bound passed
    bool explicitDefined = false;  // false when the transferred driving sum is not positive
    double explicitFs = 0.0;
};

// The bisection searches Fs within these bounds.
inline constexpr double kFsLowest = 0.05;
inline constexpr double kFsHighest = 50.0;

// Fs of item as entered (berm and unloading where it uses them), piles left out.
StabilityResult ComputeStability(const CSlideCalcData& item);

// The item with piles, berm and unloading switched off.
CSlideCalcData WithoutCountermeasures(const CSlideCalcData& item);

// The implicit solution at Fs: the transfer coefficient ψ_i = cos Δ − sin Δ·tan φ/Fs
// and the force E_i leaving each block; returns E of the last block.
double ImplicitResidual(const std::vector<StabilityBlock>& blocks, double Fs,
                        std::vector<double>* psi = nullptr, std::vector<double>* E = nullptr);

// ψ without Fs, as the explicit solution and the geometry checks use it.
double ExplicitPsi(const StabilityBlock& b);

// The stability state for Fs with Fst the required factor: "不稳定" below 1.00,
// "欠稳定" below 1.05, "基本稳定" below Fst, else "稳定".
std::string StabilityState(double Fs, double Fst);
