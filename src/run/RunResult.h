// What one run found, as figures rather than text: the thrust at the thrust
// position, the stability factor, the outcome, every quantity section, the
// winner of a design and the extremes of the pile forces. The report's
// supplement, the project summary and the result file beside the report are
// written from it.
#pragma once

#include "engine/SearchOptions.h"
#include "engine/Stability.h"
#include "piles/Quantities.h"
#include "rebar/PileReinforcement.h"

#include <optional>
#include <string>
#include <vector>

// The figures of one block of the thrust pass over the item as entered.
struct BlockFigures {
    bool vertical = false;  // passed through: no figures
    float area = 0.0f, weight = 0.0f, wetWeight = 0.0f;
    std::optional<float> seepage, buoyancy;  // when the item has seepage
    std::optional<float> quake;              // when the item has an earthquake
    float slipLength = 0.0f;
    float driving = 0.0f;  // E + F + c·L, as the block lines print it
    float E = 0.0f;
};

// The largest forces along the pile of a run that solved one.
struct PileForceExtremes {
    float innerMoment = 0.0f, innerDepth = 0.0f;  // kN-m, m
    float outerMoment = 0.0f, outerDepth = 0.0f;  // signed, ≤ 0
    float shear = 0.0f, shearDepth = 0.0f;        // kN, signed
    double load = 0.0;                            // on one pile, kN
};

struct RunResult {
    int goal = 0, target = 0;
    bool succeeded = false;  // the outcome the report states
    // The supplement's thrust line; the angle in degrees.
    float thrustX = 0.0f, thrust = 0.0f, thrustAngle = 0.0f;
    // The implicit stability factor of the section as entered; fsState is
    // empty when there is no factor.
    FsOutcome fsOutcome = FsOutcome::NoMass;
    double fs = 0.0;
    std::string fsState;
    std::optional<double> fsExplicit;  // when the explicit solution is defined
    // Every quantity section in report order; a pile design gives one per
    // candidate that found a layout, counted with that layout.
    std::vector<QuantityTotals> quantities;
    // Every candidate of a pile design, laid out or not.
    std::vector<PileCandidate> pileCandidates;
    // A berm or unloading design's winner: the searched field's value.
    bool designFound = false;
    float designValue = 0.0f;
    bool bermByPosition = false;  // the berm design searched X0, not H
    std::optional<PileForceExtremes> pileForces;

    // Kept for the verification cases, not in the result file: the blocks of
    // the pass, the strength a back-calculation found, the pile check's
    // factor and the pile's reinforcement.
    std::vector<BlockFigures> blocks;
    std::optional<float> strength;
    std::optional<float> pileSafety;
    std::optional<PileRebar> pileRebar;
};

// The implicit Fs after "Fs" in the report: "1.2345" (the report adds "= "),
// "< 0.0500", "> 50.0000", or why there is none.
std::string ImplicitFsText(FsOutcome outcome, double fs);

// The state word of an implicit solution; empty when there is no factor.
std::string ImplicitFsState(const StabilityResult& r, double Fst);
