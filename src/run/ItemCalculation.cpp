#include "run/ItemCalculation.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"

#include <iterator>
#include <utility>

ItemCalculation CalculateAndWriteBack(CSlideCalcData& item, const WorkContext& ctx,
                                      const std::string& fileBase, bool writeBack,
                                      RunOptions options) {
    ItemCalculation out;
    const std::string dataFile = workFile(ctx, fileBase + ".dat");
    if (options.itemPath.empty()) options.itemPath = dataFile;
    bool tried = false;
    auto writeData = [&] {
        tried = true;
        out.dataWritten = writeBack && item.WriteDataFile(dataFile);
    };
    auto finish = std::move(options.finishReport);
    options.finishReport = [&](const CalcRunResult& run) {
        writeData();
        return finish ? finish(run) : std::string();
    };
    out.run = RunCalculation(item, ctx, fileBase, options);
    if (!tried) writeData();  // the report was not saved: no finishing step
    return out;
}

ItemFileCalculation CalculateItemFile(const WorkContext& ctx, const std::string& fileBase,
                                      bool strict, const RunOptions& options) {
    ItemFileCalculation out;
    out.dataFile = workFile(ctx, fileBase + ".dat");
    CSlideCalcData item;
    out.opened = OpenItemFile(out.dataFile, item, ctx.status);
    out.refused = out.opened.read && strict && !out.opened.mayRewrite();
    if (!out.opened.read || out.refused) {
        out.status = 2;
        return out;
    }
    out.calc = CalculateAndWriteBack(item, ctx, fileBase, out.opened.mayRewrite(), options);
    out.name = item.name();
    const bool lost = out.opened.mayRewrite() && !out.calc.dataWritten;
    out.status = lost ? 1 : CalcExitStatus(out.calc.run);
    return out;
}

int CalcExitStatus(const CalcRunResult& run) {
    if (run.result != 1) return run.plausibility.errors.empty() ? 1 : kImplausibleStatus;
    if (run.noDesignSatisfies) return kNoDesignSatisfiesStatus;
    return run.plausibility.warnings.empty() ? 0 : kWarnedStatus;
}

int WorseStatus(int a, int b) {
    constexpr int kOrder[] = {0, kWarnedStatus, kNoDesignSatisfiesStatus, kImplausibleStatus, 1, 2};
    auto weight = [&](int s) {
        for (int i = 0; i < static_cast<int>(std::size(kOrder)); ++i)
            if (kOrder[i] == s) return i;
        return static_cast<int>(std::size(kOrder));  // anything else weighs most
    };
    return weight(a) >= weight(b) ? a : b;
}
