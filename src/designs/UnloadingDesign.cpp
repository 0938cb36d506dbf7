// Unloading design: sweep of the start height of the unloading line.
#include "designs/UnloadingDesign.h"

#include "designs/SweepDesign.h"
#include "platform/ReportWriter.h"

namespace {

constexpr SweepDesignKind kUnloadHeight{
    &CSlideCalcData::unloadY,
    Unload,
    false,
    2,
    "      刷方定位高度     = %s(m)时，满足要求且土方量最少\n",
    "刷方定位高度(m)",
    "单位宽刷方体积m3",
};

}  // namespace

int DesignUnloading(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env) {
    report.printf("自动设计上部刷方减载\n");
    const float Rp = ReportPileCapacity(item, report);
    return RunSweepDesign(item, report, env, kUnloadHeight, item.unloadYRange, Rp);
}
