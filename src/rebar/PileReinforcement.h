// The reinforcement along one pile: the section designed for the largest
// moments and shear, the steel each face needs at every result point, where
// the bars beyond those running the whole length may stop (with the
// anchorage length past the point where they are no longer needed), the
// stirrups by zone, and the steel mass and cost.
#pragma once

#include "rebar/SectionDesign.h"

#include <string>
#include <vector>

// One result point in the report convention, characteristic values: M > 0
// pulls the inner (upslope) face.
struct PileForceSample {
    double depth = 0.0;  // m
    double M = 0.0;      // kN·m
    double V = 0.0;      // kN
};

struct PileRebarInput {
    SectionDesignInput section;  // sizes, materials, factors; forces are filled here
    std::vector<PileForceSample> points;
    double length = 0.0;     // m
    double slipDepth = 0.0;  // m
    int piles = 1;           // piles over the slope length: rows × piles per row
    double price = 0.0;      // yuan per tonne
};

struct FaceBars {
    std::string name;
    BarGroup all;          // the bars at the largest moment
    BarGroup through;      // those running the whole length
    int cutBundles = 0;    // the rest
    double cutFrom = 0.0;  // m, where the rest start and stop (anchorage included)
    double cutTo = 0.0;
    double anchorage = 0.0;        // l_a, mm
    std::vector<double> required;  // mm² at every point
    std::vector<double> provided;  // mm² at every point

    bool hasCut() const { return cutBundles > 0; }
    double cutArea() const;
};

struct StirrupZone {
    double from = 0.0, to = 0.0;  // m
    int diameter = 0, legs = 2, spacing = 0;
};

struct PileRebar {
    SectionDesign design;
    std::vector<double> depths;  // m, the points'
    std::vector<FaceBars> faces;
    std::vector<StirrupZone> zones;
    double massBars = 0.0;      // kg, one pile
    double massStirrups = 0.0;  // kg, one pile
    int piles = 0;
    double price = 0.0;

    double massPile() const { return massBars + massStirrups; }
    double massAllTonnes() const { return massPile() * piles / 1000.0; }
    double cost() const { return massAllTonnes() * price; }
};

PileRebar DesignPileRebar(const PileRebarInput& in);

// l_a = zeta_a · alpha · fy / ft · d (GB 50010 8.3.1, 8.3.2), at least 200 mm,
// d the bar's (or bundle's equivalent) diameter.
double AnchorageLength(const Concrete& c, const Steel& s, double d);
