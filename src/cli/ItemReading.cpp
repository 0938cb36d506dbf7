#include "cli/ItemReading.h"

#include "data/CSlideCalcData.h"
#include "data/InputRanges.h"
#include "platform/InputDiagnostics.h"
#include "platform/Sinks.h"

#include <cstdio>

int readItemFile(const std::string& path, CSlideCalcData& item, InputDiagnostics& diagnostics) {
    StderrSinks sinks;
    int read = item.ReadDataFile(path, &diagnostics);
    diagnostics.tellTo(sinks);
    if (read) {
        InputDiagnostics ranges(path);
        AddRangeDiagnostics(item, ranges);
        ranges.tellTo(sinks);
    }
    if (!read) std::fprintf(stderr, "无法读取计算数据文件 %s\n", path.c_str());
    return read;
}
