#include "run/ItemCalculation.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"

#include <filesystem>

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

ItemFileCalculation CalculateItemFile(const std::string& dataFile, const WorkContext& ctx,
                                      bool strict, bool writeBack, RunOptions options) {
    ItemFileCalculation out;
    CSlideCalcData item;
    out.opened = OpenItemFile(dataFile, item, ctx.status);
    if (!out.opened.read) return out;
    out.name = item.name();
    if (strict && !out.opened.mayRewrite()) {
        out.outcome = ItemFileOutcome::Refused;
        return out;
    }
    std::error_code ec;
    std::filesystem::create_directories(ctx.G_strWorkPath, ec);
    out.status = 1;
    out.outcome = ItemFileOutcome::NoWorkPath;
    if (!std::filesystem::is_directory(ctx.G_strWorkPath, ec)) return out;
    if (options.itemPath.empty()) options.itemPath = dataFile;
    out.calc = CalculateAndWriteBack(item, ctx, ItemFileBase(dataFile),
                                     writeBack && out.opened.mayRewrite(), options);
    const bool lost = writeBack && out.opened.mayRewrite() && !out.calc.dataWritten;
    out.outcome = lost ? ItemFileOutcome::NotWrittenBack : ItemFileOutcome::Calculated;
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
