#include "project/ItemOpening.h"

#include "data/CSlideCalcData.h"
#include "data/InputRanges.h"
#include "platform/Sinks.h"

OpenedItem OpenItemFile(const std::string& path, CSlideCalcData& item, StatusSink* status,
                        MessageSink* messages) {
    OpenedItem opened;
    opened.read = item.ReadDataFile(path, &opened.diagnostics);
    if (opened.read) {
        opened.ranges.setFile(path);
        AddRangeDiagnostics(item, opened.ranges);
    }
    if (status) {
        opened.diagnostics.tellTo(*status);
        opened.ranges.tellTo(*status);
    }
    if (!opened.read && messages) messages->message(UnreadableItemText(path));
    return opened;
}

std::string UnreadableItemText(const std::string& path) {
    return "无法读取计算数据文件 " + path;
}
