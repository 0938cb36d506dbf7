#include "data/ItemOpening.h"

#include "data/CSlideCalcData.h"
#include "data/InputRanges.h"
#include "platform/AtomicFile.h"
#include "platform/Sinks.h"

#include <filesystem>

namespace {

// After the reading: the ranges of a read item, and what was found told.
OpenedItem told(OpenedItem opened, const std::string& name, const CSlideCalcData& item,
                StatusSink* status, MessageSink* messages) {
    if (opened.read) {
        opened.ranges.setFile(name);
        AddRangeDiagnostics(item, opened.ranges);
    }
    if (status) {
        opened.diagnostics.tellTo(*status);
        opened.ranges.tellTo(*status);
    }
    if (!opened.read && messages) messages->message(UnreadableItemText(name));
    return opened;
}

}  // namespace

OpenedItem OpenItemFile(const std::string& path, CSlideCalcData& item, StatusSink* status,
                        MessageSink* messages) {
    OpenedItem opened;
    opened.read = item.ReadDataFile(path, &opened.diagnostics);
    return told(std::move(opened), path, item, status, messages);
}

OpenedItem OpenItemBytes(std::string_view bytes, const std::string& name, CSlideCalcData& item,
                         StatusSink* status, MessageSink* messages) {
    OpenedItem opened;
    opened.read = item.ReadDataBytes(bytes, name, &opened.diagnostics);
    return told(std::move(opened), name, item, status, messages);
}

std::string UnreadableItemText(const std::string& path) {
    return "无法读取计算数据文件 " + path;
}

NewItemFile WriteNewItemFile(const std::string& path, const std::string& name, bool commented,
                             bool force) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !force) return NewItemFile::Exists;
    CSlideCalcData item;
    item.setName(name);
    const DataFileStyle style = commented ? DataFileStyle::Commented : DataFileStyle::Plain;
    AtomicFileWriter writer;
    return writer.writeKeepingPrevious(path, item.FormatDataFile(style)) ? NewItemFile::Written
                                                                         : NewItemFile::NotWritten;
}
