// Result file names of an item, formed from its file base.
#include "run/ResultNames.h"

#include "data/CSlideCalcData.h"

#include <filesystem>

int SetResultFileNames(CSlideCalcData& item, const std::string& base) {
    const std::string report = base + "_TLVR" + ".RTF";
    item.setResult(kResultSketch, {"计算简图", base + "_TLVR_JT" + ".DXF", report});
    item.setResult(kResultCharts, {"计算结果", base + "_TLVR_JG" + ".DXF", report});
    item.setResultCount(2);
    item.setResult(kResultCurve, {"剩余下滑力曲线", base + "_TLVR_SYXHL" + ".DXF", report});
    return 1;
}

std::string ItemFileBase(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

std::string AnnotatedSketchFileName(const CSlideCalcData& item) {
    std::string name = item.GetDxfFileName(kResultSketch);
    const size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string::npos) return {};
    return name.insert(dot, "BZ");
}
