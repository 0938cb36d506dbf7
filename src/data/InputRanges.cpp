// The ranges as one list of checks over the record. Each check knows when its
// value is in use, so that a warning never points at a cell showing "---".
#include "data/InputRanges.h"

#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/PrintfFormat.h"

#include <algorithm>
#include <cmath>

namespace {

using D = CSlideCalcData;

// Soils, fills and rock masses weigh between these (kN/m3); a value outside
// is a slip of the keyboard or of the unit (t/m3, kN/m3 × 1000).
constexpr float kLeastUnitWeight = 5.0f;
constexpr float kMostUnitWeight = 35.0f;
// Anti-slide piles are 0.1 m to 10 m across; the sizes are typed in cm, so a
// size below 10 was most likely typed in metres.
constexpr float kLeastPileSize = 10.0f;
constexpr float kMostPileSize = 1000.0f;
// The rail types the section table of the pile forces knows (kg/m).
constexpr float kRailTypes[] = {33.0f, 38.0f, 43.0f, 50.0f};
constexpr float kRailTolerance = 0.1f;

bool checkingC(const D& d) {
    return !(d.goal == 0 && d.checkTarget == 4);
}

bool checkingPhi(const D& d) {
    return !(d.goal == 0 && d.checkTarget == 3);
}

bool designingPiles(const D& d) {
    return d.goal == 1 && d.designTarget == 0;
}

bool pileForces(const D& d) {
    return d.goal == 0 && d.checkTarget == 2;
}

// The pile kinds the run uses: every candidate of the pile design, else the first.
int kindsInUse(const D& d) {
    if (d.usePiles == 0) return 0;
    if (designingPiles(d)) return std::clamp(d.pileKindCount, 0, D::kMaxPileKinds);
    return 1;
}

int heldMaterial(const CPileKind& k) {
    return std::clamp(k.material, 0, 3);
}

int heldSection(const CPileKind& k) {
    return std::clamp(k.section, 0, 2);
}

constexpr int kRail = 1;
constexpr int kRound = 0, kSquare = 1;

std::string number(float v) {
    return stringPrintf("%.3f", static_cast<double>(v));
}

std::string indexed(const char* group, int i, const char* field) {
    return std::string(group) + "[" + std::to_string(i + 1) + "]." + field;
}

class Checks {
  public:
    explicit Checks(std::vector<RangeFinding>& out) : m_out(out) {}

    void add(const float& v, std::string name, std::string message) {
        m_out.push_back({&v, std::move(name), number(v), std::move(message)});
    }

    // lo <= v <= hi, both ends inside; NaN is outside every range.
    bool inside(float v, float lo, float hi) const { return v >= lo && v <= hi; }
    void within(const float& v, float lo, float hi, const std::string& name,
                const std::string& what, const char* unit) {
        if (inside(v, lo, hi)) return;
        add(v, name,
            what + " = " + number(v) + " " + unit + ", 应在 " + stringPrintf("%g", lo) + "~" +
                stringPrintf("%g", hi) + " " + unit + " 之间");
    }

  private:
    std::vector<RangeFinding>& m_out;
};

void slipChecks(const D& d, Checks& checks) {
    const int n = std::clamp(d.slipCount, 0, D::kMaxSegments);
    // The tables ask for every cell they draw: words are made only for a finding.
    auto segment = [](int i) { return "滑面第 " + std::to_string(i + 1) + " 段"; };
    for (int i = 0; i < n; ++i) {
        const CLineSeg& s = d.slip[i];
        if (checkingC(d) && !(s.c >= 0.0f))
            checks.add(s.c, indexed("slip", i, "c"),
                       segment(i) + "粘聚力 c = " + number(s.c) + " kPa, 不应小于 0");
        // tan φ grows without bound towards 90°.
        if (checkingPhi(d) && !(s.phi >= 0.0f && s.phi < 90.0f))
            checks.add(s.phi, indexed("slip", i, "phi"),
                       segment(i) + "摩擦角 φ = " + number(s.phi) + " 度, 应在 0~90 度之间");
    }
}

void basicChecks(const D& d, Checks& checks) {
    checks.within(d.gamma, kLeastUnitWeight, kMostUnitWeight, "gamma", "滑体土重度", "kN/m3");
    checks.within(d.gammaSat, kLeastUnitWeight, kMostUnitWeight, "gammaSat", "滑体土饱和重度",
                  "kN/m3");
    if (d.useSeepage != 0 && !(d.porosity >= 0.0f && d.porosity < 1.0f))
        checks.add(d.porosity, "porosity",
                   "滑体土的孔隙度 = " + number(d.porosity) + ", 应不小于 0 且小于 1");
}

void pileKindChecks(const D& d, int k, Checks& checks) {
    const CPileKind& kind = d.pileKinds[k];
    auto who = [k] { return "第 " + std::to_string(k + 1) + " 种桩"; };
    if (heldMaterial(kind) == kRail) {
        const bool known = std::any_of(std::begin(kRailTypes), std::end(kRailTypes), [&](float t) {
            return std::fabs(kind.size1 - t) <= kRailTolerance;
        });
        if (!known)
            checks.add(kind.size1, indexed("pileKinds", k, "size1"),
                       who() + "钢轨型号 " + number(kind.size1) +
                           " kg/m, 程序接受的型号为 33, 38, 43, 50");
    } else {
        for (int size = 1; size <= 2; ++size) {
            const float& v = size == 1 ? kind.size1 : kind.size2;
            if (checks.inside(v, kLeastPileSize, kMostPileSize) || PileSizeUnit(d, k, size) != "cm")
                continue;
            checks.within(v, kLeastPileSize, kMostPileSize,
                          indexed("pileKinds", k, size == 1 ? "size1" : "size2"),
                          who() + "尺寸参数" + std::to_string(size) + " (以 cm 计)", "cm");
        }
    }
    if (pileForces(d) && kind.embedDepth > kind.length)
        checks.add(kind.embedDepth, indexed("pileKinds", k, "embedDepth"),
                   who() + "嵌入深度 " + number(kind.embedDepth) + " m 大于桩长 " +
                       number(kind.length) + " m");
}

// The spacing runs from axis to axis: below the pile's width the piles of a
// row would overlap.
void spacingChecks(const D& d, Checks& checks) {
    const bool spacingShown = !(designingPiles(d) || (d.goal == 0 && d.checkTarget == 1));
    if (spacingShown) {
        const float w = PileWidth(d, 0);
        if (w > 0.0f && d.pileSpacing < w)
            checks.add(d.pileSpacing, "pileSpacing",
                       "桩的间距 " + number(d.pileSpacing) + " m 小于桩宽 " + number(w) + " m");
    }
    if (designingPiles(d)) {
        float widest = 0.0f;
        for (int k = 0; k < kindsInUse(d); ++k) widest = std::max(widest, PileWidth(d, k));
        if (widest > 0.0f && d.minPileSpacing < widest)
            checks.add(d.minPileSpacing, "minPileSpacing",
                       "最小桩间距 " + number(d.minPileSpacing) + " m 小于可选桩的桩宽 " +
                           number(widest) + " m");
    }
}

std::string outsideText(const char* what, float x, SlipExtent e) {
    return std::string(what) + " X = " + number(x) + " m 在滑面范围 " + number(e.toe) + "~" +
           number(e.crest) + " m 之外";
}

void pileChecks(const D& d, Checks& checks) {
    if (d.usePiles == 0) return;
    const SlipExtent e = SlipSurfaceExtent(d);
    if (!(d.pileX >= e.toe && d.pileX <= e.crest))
        checks.add(d.pileX, "pileX", outsideText("第一排桩的定位坐标", d.pileX, e));
    spacingChecks(d, checks);
    if (pileForces(d)) {
        const int layers = std::clamp(d.layerCount, 0, D::kMaxLayers);
        for (int i = 0; i < layers; ++i)
            checks.within(d.layerGamma[i], kLeastUnitWeight, kMostUnitWeight,
                          "layerGamma[" + std::to_string(i + 1) + "]",
                          "第 " + std::to_string(i + 1) + " 层土重度", "kN/m3");
    }
    for (int k = 0; k < kindsInUse(d); ++k) pileKindChecks(d, k, checks);
}

void bermChecks(const D& d, Checks& checks) {
    if (d.useBerm == 0) return;
    const bool designingX = d.goal == 1 && d.designTarget == 1 && d.bermDesignMode == 1;
    const SlipExtent e = SlipSurfaceExtent(d);
    if (d.usePiles == 0 && !designingX && !(d.bermX >= e.toe && d.bermX <= e.crest))
        checks.add(d.bermX, "bermX", outsideText("反压码的定位坐标", d.bermX, e));
    checks.within(d.bermGamma, kLeastUnitWeight, kMostUnitWeight, "bermGamma", "反压码容重",
                  "kN/m3");
    checks.within(d.bermGammaSat, kLeastUnitWeight, kMostUnitWeight, "bermGammaSat",
                  "反压码饱和容重", "kN/m3");
}

}  // namespace

SlipExtent SlipSurfaceExtent(const CSlideCalcData& item) {
    SlipExtent e;
    float x = 0.0f;
    const int n = std::clamp(item.slipCount, 0, D::kMaxSegments);
    for (int i = 0; i < n; ++i) {
        x += item.slip[i].dx;
        e.toe = std::min(e.toe, x);
        e.crest = std::max(e.crest, x);
    }
    return e;
}

std::string PileSizeUnit(const CSlideCalcData& item, int kind, int size) {
    const CPileKind& k = item.pileKinds[kind];
    if (heldMaterial(k) == kRail) return size == 1 ? "kg/m" : "";
    switch (heldSection(k)) {
        case kRound:
            return size == 1 ? "cm" : "";
        case kSquare:
            return "cm";
        default:
            return size == 1 ? "cm4" : "cm";
    }
}

float PileWidth(const CSlideCalcData& item, int kind) {
    const CPileKind& k = item.pileKinds[kind];
    if (heldMaterial(k) == kRail) return 0.0f;
    const float cm = heldSection(k) == 2 ? k.size2 : k.size1;
    return cm / 100.0f;
}

std::vector<RangeFinding> CheckInputRanges(const CSlideCalcData& item) {
    std::vector<RangeFinding> out;
    Checks checks(out);
    basicChecks(item, checks);
    slipChecks(item, checks);
    pileChecks(item, checks);
    bermChecks(item, checks);
    return out;
}

void AddRangeDiagnostics(const CSlideCalcData& item, InputDiagnostics& diagnostics) {
    for (const RangeFinding& f : CheckInputRanges(item)) diagnostics.add(0, f.name, {}, f.message);
}
