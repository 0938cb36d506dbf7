// Bars and stirrups along the pile from its moment and shear curves.
#include "rebar/PileReinforcement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kSteelDensity = 7850.0;  // kg/m3
constexpr double kShortestZone = 1.0;     // m: a shorter zone joins its closer-spaced neighbour

double sign(int face) {
    return face == 0 ? 1.0 : -1.0;
}

// The steel face i needs at a point of characteristic moment M (report
// convention); at least the least ratio wherever the face has bars.
double requiredAt(const SectionDesign& d, int i, double M) {
    const FaceDesign& f = d.faces[i];
    if (d.input.circle) {
        // Bars all round carry a moment of either sign.
        const double Mabs = d.gamma() * std::fabs(M) * 1.0e6;
        const double r = d.input.d / 2.0;
        const double As =
            Mabs > 0.0 ? DesignCircleFlexure(d.concrete, d.bar, r, f.bars.radius, Mabs).As : 0.0;
        return std::max(As, f.AsMin);
    }
    const double Md = d.gamma() * std::max(0.0, sign(i) * M) * 1.0e6;
    const BarGroup& other = d.faces[1 - i].bars;
    const RectFlexure r =
        DesignRectFlexure(d.concrete, d.bar, d.input.b, f.h0, Md, other.area(), other.centroid);
    return std::max(r.As, f.AsMin);
}

// The fewest bundles of the face's own bar, at least two, that hold the least
// ratio: they run the whole length, in the layer at the face.
int throughBundles(const FaceDesign& f) {
    const BarGroup& g = f.bars;
    const double one = g.area() / g.bundles;
    const int n = std::max(2, static_cast<int>(std::ceil(f.AsMin / one - 1e-9)));
    return std::min(n, g.layer1);
}

void cutPoints(const PileRebarInput& in, const std::vector<double>& depths, FaceBars& face) {
    const double through = face.through.area();
    int first = -1, last = -1;
    for (size_t k = 0; k < depths.size(); ++k)
        if (face.required[k] > through) {
            if (first < 0) first = static_cast<int>(k);
            last = static_cast<int>(k);
        }
    if (first < 0) {
        face.cutBundles = 0;
        return;
    }
    // The bars are no longer needed at the neighbouring points; they go on by l_a.
    const double la = face.anchorage / 1000.0;
    const double from = depths[std::max(0, first - 1)];
    const double to = depths[std::min(static_cast<int>(depths.size()) - 1, last + 1)];
    face.cutFrom = std::max(0.0, from - la);
    face.cutTo = std::min(in.length, to + la);
}

FaceBars faceAlong(const PileRebarInput& in, const SectionDesign& d, int i,
                   const std::vector<double>& depths) {
    const FaceDesign& f = d.faces[i];
    FaceBars face;
    face.name = f.name;
    face.all = f.bars;
    face.anchorage = AnchorageLength(d.concrete, d.bar, f.bars.equivalentDiameter());
    for (const PileForceSample& p : in.points) face.required.push_back(requiredAt(d, i, p.M));
    face.through = f.bars;
    if (!d.input.circle) {
        face.through.bundles = throughBundles(f);
        face.through.layer1 = face.through.bundles;
        face.through.layer2 = 0;
        face.cutBundles = f.bars.bundles - face.through.bundles;
    }
    if (face.cutBundles > 0) cutPoints(in, depths, face);
    for (double z : depths) {
        const bool inCut = face.hasCut() && z >= face.cutFrom && z <= face.cutTo;
        face.provided.push_back(inCut ? face.all.area() : face.through.area());
    }
    return face;
}

// Stirrups of the section's size and legs, each point at the widest spacing
// its shear allows.
std::vector<int> spacings(const PileRebarInput& in, const SectionDesign& d) {
    std::vector<int> out;
    const double h = d.input.circle ? d.input.d : d.input.h;
    for (const PileForceSample& p : in.points) {
        const double V = d.gamma() * std::fabs(p.V) * 1000.0;
        const ShearDesign s =
            DesignShear(d.concrete, d.stirrupSteel, d.shearB, h, d.shearH0, d.shearH0, V);
        const int spacing = StirrupSpacing(d.stirrups.diameter, d.stirrups.legs, s.AsvPerS, s.sMax);
        out.push_back(spacing > 0 ? spacing : 100);
    }
    return out;
}

std::vector<StirrupZone> stirrupZones(const PileRebarInput& in, const SectionDesign& d,
                                      const std::vector<double>& depths) {
    std::vector<StirrupZone> zones;
    if (!d.stirrups.found || depths.empty()) return zones;
    const std::vector<int> s = spacings(in, d);
    for (size_t k = 0; k < depths.size(); ++k) {
        if (zones.empty() || zones.back().spacing != s[k])
            zones.push_back({depths[k], depths[k], d.stirrups.diameter, d.stirrups.legs, s[k]});
        zones.back().to = k + 1 < depths.size() ? depths[k + 1] : in.length;
    }
    // Short zones take the closer spacing of a neighbour, then equal neighbours join.
    for (size_t k = 0; k < zones.size();) {
        if (zones.size() == 1 || zones[k].to - zones[k].from >= kShortestZone) {
            ++k;
            continue;
        }
        const size_t n = k == 0                                         ? 1
                         : k + 1 == zones.size()                        ? k - 1
                         : zones[k - 1].spacing <= zones[k + 1].spacing ? k - 1
                                                                        : k + 1;
        zones[n].spacing = std::min(zones[n].spacing, zones[k].spacing);
        zones[n].from = std::min(zones[n].from, zones[k].from);
        zones[n].to = std::max(zones[n].to, zones[k].to);
        zones.erase(zones.begin() + static_cast<long>(k));
        k = 0;
    }
    for (size_t k = 1; k < zones.size();)
        if (zones[k].spacing == zones[k - 1].spacing) {
            zones[k - 1].to = zones[k].to;
            zones.erase(zones.begin() + static_cast<long>(k));
        } else {
            ++k;
        }
    zones.front().from = 0.0;
    return zones;
}

// One stirrup's bar length (m): legs across the depth and two pieces across
// the width; a circle's hoop. Hooks and laps are left out.
double stirrupLength(const SectionDesign& d) {
    const double c = d.input.cover + d.stirrups.diameter / 2.0;
    if (d.input.circle) return std::numbers::pi * (d.input.d - 2.0 * c) / 1000.0;
    return (d.stirrups.legs * (d.input.h - 2.0 * c) + 2.0 * (d.input.b - 2.0 * c)) / 1000.0;
}

double barMass(double areaMm2, double lengthM) {
    return areaMm2 * 1.0e-6 * lengthM * kSteelDensity;
}

void masses(const PileRebarInput& in, PileRebar& out) {
    for (const FaceBars& f : out.faces) {
        out.massBars += barMass(f.through.area(), in.length);
        if (f.hasCut()) out.massBars += barMass(f.cutArea(), f.cutTo - f.cutFrom);
    }
    const double one = barMass(std::numbers::pi * std::pow(out.design.stirrups.diameter, 2) / 4.0,
                               stirrupLength(out.design));
    for (const StirrupZone& z : out.zones)
        out.massStirrups += one * (std::floor((z.to - z.from) * 1000.0 / z.spacing) + 1.0);
}

// The design forces: the largest moment of each sign and the largest shear.
SectionDesignInput withExtremes(const PileRebarInput& in) {
    SectionDesignInput s = in.section;
    s.Minner = s.Mouter = s.V = 0.0;
    for (const PileForceSample& p : in.points) {
        s.Minner = std::max(s.Minner, p.M);
        s.Mouter = std::max(s.Mouter, -p.M);
        s.V = std::max(s.V, std::fabs(p.V));
    }
    s.MqInner = s.MqOuter = -1.0;
    return s;
}

}  // namespace

double FaceBars::cutArea() const {
    return all.area() - through.area();
}

double AnchorageLength(const Concrete& c, const Steel& s, double d) {
    // l_ab = alpha fy / ft d, alpha = 0.14 ribbed, 0.16 plain   (8.3.1-1)
    const double lab = (s.ribbed ? 0.14 : 0.16) * s.fy / c.ft * d;
    // l_a = zeta_a l_ab, zeta_a = 1.10 for ribbed bars over 25 mm   (8.3.2)
    const double zeta = s.ribbed && d > 25.0 ? 1.1 : 1.0;
    return std::max(200.0, zeta * lab);
}

PileRebar DesignPileRebar(const PileRebarInput& in) {
    PileRebar out;
    out.piles = in.piles;
    out.price = in.price;
    out.design = DesignSection(withExtremes(in));
    for (const PileForceSample& p : in.points) out.depths.push_back(p.depth);
    for (const FaceDesign& f : out.design.faces)
        if (f.bars.empty()) return out;
    if (out.design.faces.empty()) return out;
    for (size_t i = 0; i < out.design.faces.size(); ++i)
        out.faces.push_back(faceAlong(in, out.design, static_cast<int>(i), out.depths));
    out.zones = stirrupZones(in, out.design, out.depths);
    masses(in, out);
    return out;
}
