// The run of one item: report head, input echo, dispatch and the outcome; and
// the thrust report of the landslide-thrust check.
#include "run/CSlideCalc.h"

#include "data/CSlideCalcData.h"
#include "data/InputEcho.h"
#include "engine/ThrustBlock.h"
#include "engine/ThrustPass.h"
#include "piles/Quantities.h"
#include "platform/FigureFormat.h"
#include "platform/PlaneGeometry.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "run/RunTargets.h"
#include "run/Supplement.h"

namespace {

constexpr const char* kDashLine =
    "------------------------------------------------------------------------\n";

// Areas at or below this count as none: no quantity section is written.
constexpr double kLeastArea = 0.0001;

// The blocks as the block-by-block lines of the thrust report print them.
std::vector<BlockFigures> blockFigures(const CSlideCalcData& item) {
    std::vector<PassBlock> pass;
    ComputeThrustBlocks(item, pass);
    std::vector<BlockFigures> out;
    for (const PassBlock& p : pass) {
        BlockFigures b;
        b.vertical = p.vertical;
        const BlockGeometry& g = p.loads.g;
        b.area = g.area, b.weight = g.weight, b.wetWeight = g.wetWeight;
        if (item.useSeepage == 1) b.seepage = p.loads.D, b.buoyancy = p.loads.U;
        if (item.quakeLevel != 0) b.quake = p.loads.Q;
        b.slipLength = g.slipLength;
        const float cL = p.c * g.slipLength;
        b.driving = p.E + p.F + cL;
        b.E = p.E;
        out.push_back(b);
    }
    return out;
}

void writeHead(const CSlideCalcData& item, ReportWriter& report) {
    report.printf("%s", kDashLine);
    report.printf("%s%s\n", kReportItemLead, item.name().c_str());
    report.printf("%s", kDashLine);
    report.printf("[计算简图]\n");
    MorvaneScript(report, "InsertDxf=" + item.GetDxfFileName(0));
}

void writeResultHead(ReportWriter& report) {
    report.printf("\n%s", kDashLine);
    report.printf("计算结果:\n");
    report.printf("%s", kDashLine);
}

// The heading names where the pass ends: the pile row, the berm's start when
// it lies below the slope's start, else the slope's start.
void writeThrustHeading(const CSlideCalcData& item, float x, ReportWriter& report) {
    const char* where = item.usePiles                                  ? "抗滑桩位置"
                        : item.useBerm && !(item.slopeX0 < item.bermX) ? "反压码起点位置"
                                                                       : "坡面线起点位置";
    report.printf("    计算%s处的滑坡推力(X = %sm)\n\n", where, Fixed3(x).c_str());
}

}  // namespace

void WriteReportHead(const CSlideCalcData& item, ReportWriter& report) {
    writeHead(item, report);
    WriteInputEcho(item, report);
    writeResultHead(report);
}

void TellRunOutcome(StatusSink& status, bool succeeded) {
    if (succeeded)
        status.tell_error(kStatusSuccess, "计算成功 !");
    else
        status.tell_error(kStatusFailure, "计算失败 !");
}

CSlideCalc::CSlideCalc(const WorkContext& ctx) : m_ctx(ctx) {}

StatusSink& CSlideCalc::status() const {
    return m_ctx.status ? *m_ctx.status : static_cast<StatusSink&>(m_noStatus);
}

float CSlideCalc::ComputeThrust(const CSlideCalcData& item, ReportWriter* report, float* angle,
                                float* bermArea, float* trimmedArea) {
    float* boundaryForces = m_item ? m_item->residualThrust.data() : nullptr;
    return ::ComputeThrust(item, report, angle, bermArea, trimmedArea, boundaryForces);
}

int CSlideCalc::RunItem(CSlideCalcData& item, ReportWriter& report) {
    m_item = &item;
    m_result = RunResult{};
    m_result.goal = item.goal;
    m_result.target = item.goal == kGoalCheck ? item.checkTarget : item.designTarget;
    WriteReportHead(item, report);

    int result = 0;
    if (item.goal == kGoalCheck || item.goal == kGoalDesign) {
        const int target = item.goal == kGoalCheck ? item.checkTarget : item.designTarget;
        if (const RunTarget* t = FindRunTarget(item.goal, target))
            result = t->run(*this, item, report);
    }
    // A result that means nothing is a failed run, whatever the operation
    // said; the report keeps every line it wrote.
    m_plausibility = CheckPlausibility(item, *this);
    if (!m_plausibility.errors.empty()) result = 0;
    for (const std::string& e : m_plausibility.errors)
        status().tell_error(kStatusFailure, "错误: " + e);
    for (const std::string& w : m_plausibility.warnings)
        status().tell_error(kStatusWarning, "警告: " + w);
    // Warnings are told even when the report keeps the original layout.
    SupplementFacts facts = GatherSupplementFacts(item);
    facts.result = result;
    for (const std::string& w : facts.warnings) status().tell_error(kStatusWarning, "警告: " + w);
    recordFigures(item, facts);
    if (m_options.supplement) WriteSupplement(*this, item, facts, report);
    if (m_options.tellOutcome) TellRunOutcome(status(), result == 1);
    return result;
}

void CSlideCalc::recordFigures(const CSlideCalcData& item, const SupplementFacts& facts) {
    RunResult& r = m_result;
    r.succeeded = facts.result == 1;
    r.thrustX = facts.thrustX;
    r.thrust = facts.thrust;
    // As the block lines of the thrust report turn radians into degrees, so
    // that the thrust line repeats their angle digit for digit.
    r.thrustAngle = facts.thrustAngle * 180.0f / kPi;
    r.fsOutcome = facts.entered.outcome;
    r.fs = facts.entered.implicitFs;
    r.fsState = ImplicitFsState(facts.entered, item.thrustSafetyFactor);
    if (facts.entered.explicitDefined) r.fsExplicit = facts.entered.explicitFs;
    r.blocks = blockFigures(item);
    const std::optional<DesignFacts>& design = m_designSummary.design;
    if (item.goal == kGoalDesign && design && design->kind == DesignFacts::Kind::Sweep &&
        design->best >= 0) {
        r.designFound = true;
        r.designValue = design->bestValue;
    }
    if (design && design->kind == DesignFacts::Kind::Piles) r.pileCandidates = design->candidates;
    r.bermByPosition = item.bermDesignMode != 0;
    if (!m_pileSolver.points().empty())
        r.pileForces = PileForceExtremes{
            m_pileData.innerMaxMoment,         m_pileData.innerMaxDepth, m_pileData.outerMaxMoment,
            m_pileData.outerMaxDepth,          m_pileData.maxShear,      m_pileData.maxShearDepth,
            m_pileSolver.summary().appliedLoad};
}

int CSlideCalc::ReportThrust(CSlideCalcData& item, ReportWriter& report) {
    report.printf("滑坡推力计算\n");
    writeThrustHeading(item, ThrustPosition(item), report);

    // The last block's "本块剩余下滑力" is the thrust at the heading's x; it
    // is not repeated here.
    float angle = 0.0f, bermArea = 0.0f, trimmedArea = 0.0f;
    ComputeThrust(item, &report, &angle, &bermArea, &trimmedArea);

    report.printf("\n\n");
    std::vector<QuantityTotals>* totals = &m_result.quantities;
    if (item.usePiles) ReportQuantities(item, report, QuantityPiles, 0.0f, 0, totals);
    if (bermArea > kLeastArea) ReportQuantities(item, report, QuantityBerm, bermArea, 0, totals);
    if (trimmedArea > kLeastArea)
        ReportQuantities(item, report, QuantityUnload, trimmedArea, 0, totals);
    return 1;
}
