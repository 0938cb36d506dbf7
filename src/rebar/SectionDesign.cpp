// Designing one section: materials, bars by face, crack width, shear and
// stirrups, and the stirrup size fed back into the bars' depth.
#include "rebar/SectionDesign.h"

#include "platform/FigureFormat.h"
#include "platform/PrintfFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kNmm = 1.0e6;  // N·mm in a kN·m
constexpr double kN = 1.0e3;
constexpr int kFirstStirrup = 10;
// Capacities are compared with a hair of slack so that bars that exactly
// carry the moment are not refused for the last bit of rounding.
constexpr double kSlack = 1.0e-9;

double designMoment(const SectionDesignInput& in, double Mk) {
    return in.gamma0 * in.gammaF * Mk;
}

struct RectContext {
    const SectionDesignInput& in;
    const Concrete& c;
    const Steel& s;
    double inset;
};

// The tension face is the one with the larger moment; a fixed centroid
// distance belongs to it, the other one to the other face.
BarSpace faceSpace(const RectContext& r, bool tensionFace) {
    BarSpace space;
    space.width = r.in.b - 2.0 * r.inset;
    space.inset = r.inset;
    space.leastClear = r.in.leastClear;
    space.fixedCentroid = tensionFace ? r.in.fixedAs : r.in.fixedAsOther;
    return space;
}

// Bars for face M (N·mm) with the other face's bars `other` as compression
// steel, at least `least` mm².
BarGroup chooseRectFace(const RectContext& r, double M, const BarGroup& other, double least,
                        bool tensionFace) {
    const double AsComp = other.area();
    const double asComp = other.centroid;
    // Enough steel by the design formulas at the candidate's own depth, and
    // a capacity that reaches the moment.
    return ChooseFaceBars(faceSpace(r, tensionFace), [&](const BarGroup& g) {
        const double h0 = r.in.h - g.centroid;
        const double Mu = RectMomentCapacity(r.c, r.s, r.in.b, h0, g.area(), AsComp, asComp);
        const RectFlexure f = DesignRectFlexure(r.c, r.s, r.in.b, h0, M, AsComp, asComp);
        const double need = std::max(least, f.As);
        return Mu >= M * (1.0 - kSlack) && g.area() >= need * (1.0 - kSlack);
    });
}

// Where a face's bars lie before they are chosen: the fixed distance, else
// one layer of 32 mm bars.
double centroidOf(const RectContext& r, const BarGroup& g, bool tensionFace) {
    if (!g.empty()) return g.centroid;
    const double fixed = tensionFace ? r.in.fixedAs : r.in.fixedAsOther;
    return fixed > 0.0 ? fixed : r.inset + 16.0;
}

// The compression steel face M needs from the other face beyond what it has.
double compressionNeeded(const RectContext& r, double M, const BarGroup& self,
                         const BarGroup& other, bool tensionFace) {
    const double centroid = centroidOf(r, self, tensionFace);
    const double asComp = centroidOf(r, other, !tensionFace);
    const RectFlexure f =
        DesignRectFlexure(r.c, r.s, r.in.b, r.in.h - centroid, M, other.area(), asComp);
    return f.doubly ? f.AsComp * 1.02 : 0.0;
}

// Fills the compression steel each face must give the other (mm²) beside the bars.
void chooseRectBars(const RectContext& r, const double M[2], double least, BarGroup bars[2],
                    double compression[2]) {
    for (int round = 0; round < 8; ++round) {
        bool changed = false;
        for (int i = 0; i < 2; ++i) {
            const int o = 1 - i;
            const bool tension = i == 0 ? M[0] >= M[1] : M[1] > M[0];
            BarGroup g = chooseRectFace(r, M[i], bars[o], std::max(least, compression[i]), tension);
            if (g.empty())
                compression[o] =
                    std::max(compression[o], compressionNeeded(r, M[i], g, bars[o], tension));
            changed |= g.label() != bars[i].label() || g.centroid != bars[i].centroid;
            bars[i] = g;
        }
        if (!changed) return;
    }
}

void rectFaceFigures(const RectContext& r, FaceDesign& f, const BarGroup& other, double least,
                     bool tensionFace) {
    const double Mn = f.M * kNmm;
    f.h0 = r.in.h - centroidOf(r, f.bars, tensionFace);
    const double asComp = centroidOf(r, other, !tensionFace);
    f.rect = DesignRectFlexure(r.c, r.s, r.in.b, f.h0, Mn, other.area(), asComp);
    f.balanced = DesignRectFlexure(r.c, r.s, r.in.b, f.h0, Mn, 0.0, asComp);
    f.AsCalc = f.rect.As;
    f.AsMin = least;
    f.AsReq = std::max(f.AsCalc, f.AsMin);
    if (f.bars.empty()) return;
    f.Mu = RectMomentCapacity(r.c, r.s, r.in.b, f.h0, f.bars.area(), other.area(), other.centroid) /
           kNmm;
    f.ratio = f.bars.area() / (r.in.b * r.in.h) * 100.0;
    CrackInput ci;
    ci.Mq = f.Mq * kNmm;
    ci.As = f.bars.area();
    ci.h0 = f.h0;
    ci.Ate = 0.5 * r.in.b * r.in.h;
    ci.cs = r.inset;
    ci.deq = BondEquivalentDiameter(f.bars.equivalentDiameter(), r.s.ribbed);
    f.crack = ComputeCrackWidth(r.c, r.s, ci);
}

// A face that cannot be built says which demand failed: its own tension steel,
// or the compression steel the other face's moment asks of it.
std::string tooSmallMessage(const FaceDesign& f, double area) {
    const bool byCompression = f.AsCompNeeded > f.AsReq;
    const double As = byCompression ? f.AsCompNeeded : f.AsReq;
    return "截面尺寸不足：" + f.name + (byCompression ? "需要受压钢筋 As' = " : "需要钢筋 As = ") +
           stringPrintf("%s mm2 (配筋率 %.2f%%)", Fixed0(As).c_str(), As / area * 100.0) +
           "，两层钢筋也放不下，应加大截面";
}

void designRect(SectionDesign& d, double inset) {
    const SectionDesignInput& in = d.input;
    const RectContext r{in, d.concrete, d.bar, inset};
    const double least = d.rhoMin * in.b * in.h;
    d.faces.assign(2, FaceDesign{});
    d.faces[0].name = "靠山侧";
    d.faces[0].Mk = in.Minner;
    d.faces[0].Mq = in.MqInner >= 0.0 ? in.MqInner : in.Minner;
    d.faces[1].name = "临空侧";
    d.faces[1].Mk = in.Mouter;
    d.faces[1].Mq = in.MqOuter >= 0.0 ? in.MqOuter : in.Mouter;
    double M[2];
    for (int i = 0; i < 2; ++i) {
        d.faces[i].M = designMoment(in, d.faces[i].Mk);
        M[i] = d.faces[i].M * kNmm;
    }
    BarGroup bars[2];
    double compression[2] = {0.0, 0.0};
    chooseRectBars(r, M, least, bars, compression);
    for (int i = 0; i < 2; ++i) {
        d.faces[i].bars = bars[i];
        d.faces[i].AsCompNeeded = compression[i];
    }
    for (int i = 0; i < 2; ++i)
        rectFaceFigures(r, d.faces[i], bars[1 - i], least, i == 0 ? M[0] >= M[1] : M[1] > M[0]);
    for (const FaceDesign& f : d.faces)
        if (f.bars.empty()) d.problems.push_back(tooSmallMessage(f, in.b * in.h));
    // Shear acts on the effective depth of the face the larger moment pulls.
    d.shearB = in.b;
    d.shearH0 = d.faces[M[1] > M[0] ? 1 : 0].h0;
    d.legs = StirrupLegs(in.b - 2.0 * in.cover);
}

void designCircle(SectionDesign& d, double inset) {
    const SectionDesignInput& in = d.input;
    const double r = in.d / 2.0;
    const double A = std::numbers::pi * r * r;
    FaceDesign f;
    f.name = "全截面";
    f.Mk = std::max(in.Minner, in.Mouter);
    const double Mq[2] = {in.MqInner >= 0.0 ? in.MqInner : in.Minner,
                          in.MqOuter >= 0.0 ? in.MqOuter : in.Mouter};
    f.Mq = std::max(Mq[0], Mq[1]);
    f.M = designMoment(in, f.Mk);
    const double Mn = f.M * kNmm;
    const double least = d.rhoMin * A;
    BarSpace space;
    space.radius = r;
    space.inset = inset;
    space.leastClear = in.leastClear;
    space.fixedCentroid = in.fixedAs;
    f.bars = ChooseRingBars(space, [&](const BarGroup& g) {
        return CircleMomentCapacity(d.concrete, d.bar, r, g.radius, g.area()) >=
                   Mn * (1 - kSlack) &&
               g.area() >= least * (1.0 - kSlack);
    });
    const double rs = f.bars.empty() ? r - inset - 16.0 : f.bars.radius;
    f.circle = DesignCircleFlexure(d.concrete, d.bar, r, rs, Mn);
    f.AsCalc = f.circle.As;
    f.AsMin = least;
    f.AsReq = std::max(f.AsCalc, least);
    // The bars in the tension half act at their centroid, 2 rs / pi past the centre.
    f.h0 = r + 2.0 * rs / std::numbers::pi;
    if (!f.bars.empty()) {
        f.Mu = CircleMomentCapacity(d.concrete, d.bar, r, rs, f.bars.area()) / kNmm;
        f.ratio = f.bars.area() / A * 100.0;
        CrackInput ci;
        ci.Mq = f.Mq * kNmm;
        ci.As = f.bars.area() / 2.0;
        ci.h0 = f.h0;
        ci.Ate = A / 2.0;
        ci.cs = inset;
        ci.deq = BondEquivalentDiameter(f.bars.equivalentDiameter(), d.bar.ribbed);
        f.crack = ComputeCrackWidth(d.concrete, d.bar, ci);
    } else {
        d.problems.push_back("截面尺寸不足：圆形截面需要钢筋 As = " +
                             (f.circle.solved
                                  ? stringPrintf("%s mm2 (配筋率 %.2f%%)", Fixed0(f.AsReq).c_str(),
                                                 f.AsReq / A * 100.0)
                                  : std::string("无穷大 (受压区超过 α = 0.417)")) +
                             "，一圈钢筋放不下，应加大截面");
    }
    d.faces = {f};
    // The equivalent rectangle of 6.3.15: b = 1.76 r, h0 = 1.6 r
    d.shearB = 1.76 * r;
    d.shearH0 = 1.6 * r;
    d.legs = 2;
}

void designShear(SectionDesign& d, int leastStirrup) {
    const double V = designMoment(d.input, d.input.V) * kN;
    const double h = d.input.circle ? d.input.d : d.input.h;
    d.shear = DesignShear(d.concrete, d.stirrupSteel, d.shearB, h, d.shearH0, d.shearH0, V);
    d.stirrups = ChooseStirrups(d.shear.AsvPerS, d.shear.sMax, d.legs, leastStirrup);
    if (d.shear.overLimit)
        d.problems.push_back(
            "不满足抗剪截面条件：V = " +
            stringPrintf("%s kN > %sβc·fc·b·h0 = %s kN", Fixed1(V / kN).c_str(),
                         Fixed3(d.shear.limitFactor).c_str(), Fixed1(d.shear.Vmax / kN).c_str()) +
            stringPrintf(
                " (V/(βc·fc·b·h0) = %s)，应加大截面",
                Fixed3(V / (d.concrete.betaC * d.concrete.fc * d.shearB * d.shearH0)).c_str()));
    else if (!d.stirrups.found)
        d.problems.push_back(
            "不满足抗剪截面条件：箍筋 Φ25@100 也不足 (Asv/s = " +
            stringPrintf("%s mm2/mm)，应加大截面", Fixed3(d.shear.AsvPerS).c_str()));
}

void checkCracks(SectionDesign& d) {
    for (FaceDesign& f : d.faces) {
        if (f.bars.empty()) continue;
        f.crackOk = f.crack.wMax <= d.input.crackLimit;
        if (!f.crackOk)
            d.problems.push_back("裂缝宽度超限：" + f.name + " wmax = " +
                                 stringPrintf("%s mm > %s mm", Fixed3(f.crack.wMax).c_str(),
                                              Fixed3(d.input.crackLimit).c_str()));
    }
}

SectionStatus statusOf(const SectionDesign& d) {
    for (const FaceDesign& f : d.faces)
        if (f.bars.empty()) return SectionStatus::SectionTooSmall;
    if (d.shear.overLimit || !d.stirrups.found) return SectionStatus::ShearLimit;
    for (const FaceDesign& f : d.faces)
        if (!f.crackOk) return SectionStatus::CrackExceeded;
    return SectionStatus::Ok;
}

bool materials(SectionDesign& d) {
    std::string why;
    const std::optional<Concrete> c = ConcreteOfGrade(d.input.concreteGrade, &why);
    const std::optional<Steel> bar = SteelOfName(d.input.bar);
    const std::optional<Steel> stirrup = SteelOfName(d.input.stirrup);
    if (!c) d.problems.push_back(why);
    if (!bar) d.problems.push_back("纵筋牌号 " + d.input.bar + " 不在 " + SteelNames() + " 之中");
    if (!stirrup)
        d.problems.push_back("箍筋牌号 " + d.input.stirrup + " 不在 " + SteelNames() + " 之中");
    const double size = d.input.circle ? d.input.d : std::min(d.input.b, d.input.h);
    if (!(size > 2.0 * d.input.cover + 100.0) || !(d.input.cover >= 0.0))
        d.problems.push_back("截面尺寸不足：截面放不下保护层和钢筋笼");
    if (!(d.input.gamma0 > 0.0) || !(d.input.gammaF > 0.0))
        d.problems.push_back("荷载系数 γ0、γF 应大于 0");
    if (!d.problems.empty()) return false;
    d.concrete = *c;
    d.bar = *bar;
    d.stirrupSteel = *stirrup;
    d.xiB = BalancedDepth(d.concrete, d.bar);
    d.alphaSMax = d.xiB * (1.0 - 0.5 * d.xiB);
    d.rhoMin = LeastSteelRatio(d.concrete, d.bar);
    for (const Steel* s : {&d.bar, &d.stirrupSteel})
        if (std::string w = MaterialWarning(d.concrete, *s); !w.empty()) d.warnings.push_back(w);
    return true;
}

}  // namespace

SectionDesign DesignSection(const SectionDesignInput& in) {
    SectionDesign d;
    d.input = in;
    if (!materials(d)) {
        d.status = SectionStatus::Refused;
        return d;
    }
    // The stirrup sets how deep the bars lie: start from the smallest and
    // redo the bars while the stirrups come out thicker.
    int stirrup = kFirstStirrup;
    for (int round = 0; round < 4; ++round) {
        SectionDesign trial = d;
        const double inset = in.cover + stirrup;
        if (in.circle)
            designCircle(trial, inset);
        else
            designRect(trial, inset);
        designShear(trial, stirrup);
        checkCracks(trial);
        const bool settled = !trial.stirrups.found || trial.stirrups.diameter <= stirrup;
        if (settled || round == 3) {
            trial.status = statusOf(trial);
            return trial;
        }
        stirrup = trial.stirrups.diameter;
    }
    return d;
}

const char* SectionStatusName(SectionStatus s) {
    switch (s) {
        case SectionStatus::Ok:
            return "ok";
        case SectionStatus::Refused:
            return "refused";
        case SectionStatus::SectionTooSmall:
            return "section_too_small";
        case SectionStatus::ShearLimit:
            return "shear_limit";
        case SectionStatus::CrackExceeded:
            return "crack_exceeded";
    }
    return "";
}
