// Berm design: height or position sweep.
#include "designs/BermDesign.h"

#include "designs/SweepDesign.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"

namespace {

constexpr SweepDesignKind kBermHeight{
    &CSlideCalcData::bermH,
    Berm,
    true,
    1,
    "      反压码高度     = %s(m)时，满足要求且土方量最少\n",
    "反压码高度(m)",
    "单位宽反压码体积m3",
};
constexpr SweepDesignKind kBermPosition{
    &CSlideCalcData::bermX,
    Berm,
    true,
    1,
    "      反压码定位距离 = %s(m)时，满足要求且土方量最少\n",
    "反压码定位距离X0(m)",
    "单位宽反压码体积m3",
};

}  // namespace

int DesignBerm(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env) {
    report.printf("自动设计反压码\n");
    const float Rp = ReportPileCapacity(item, report);
    if (item.bermDesignMode != 0 && item.usePiles == 1) {
        // With piles the berm starts at the top of the first pile row, so its
        // position is no free parameter.
        if (env.ctx && env.ctx->messages)
            env.ctx->messages->message("有桩情况下自动设计反压码的定位坐标X0无意义 !");
        if (env.summary)
            *env.summary = {0, SearchStop::Refused, "X0 is fixed by the piles", false, {}};
        return 0;
    }
    if (item.bermDesignMode == 0)
        return RunSweepDesign(item, report, env, kBermHeight, item.bermHRange, Rp);
    return RunSweepDesign(item, report, env, kBermPosition, item.bermXRange, Rp);
}
