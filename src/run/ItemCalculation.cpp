#include "run/ItemCalculation.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"

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
