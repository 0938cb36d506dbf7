// Item combo lines and result views read from the items' data files.
#include "project/ItemList.h"

#include "data/CSlideCalcData.h"
#include "platform/DirectoryNames.h"
#include "platform/LineReader.h"
#include "platform/Sinks.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"

#include <algorithm>
#include <cstdio>

namespace {

// The comma-separated field `index` of a line (the last one runs to the end
// of the line when it is the last field wanted).
std::string fieldOf(const std::string& line, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t comma = line.find(',', start);
        if (comma == std::string::npos) return {};
        start = comma + 1;
    }
    size_t end = line.find(',', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string nameLineOf(std::optional<LineReader> in) {
    if (!in) return {};
    std::string line;
    while (fgets_skip_comment(*in, line)) {
        // "##Name" and one separator come before the description.
        if (line.find("##Name") != std::string::npos) return line.size() > 7 ? line.substr(7) : "";
    }
    return {};
}

}  // namespace

std::string ReadNameLine(const std::string& path) {
    return nameLineOf(LineReader::fromFile(path, CSlideCalcData::kMaxDataFileBytes, nullptr));
}

std::string ItemList::ReadItemName(const WorkContext& ctx, const std::string& fileName) {
    return nameLineOf(open_file_no_comment(ctx, fileName));
}

void ItemList::ReadResultList(const WorkContext& ctx, const std::string& fileName) {
    readResultsFrom(workFile(ctx, fileName));
}

void ItemList::readResultsFrom(const std::string& path) {
    resultCount = 0;
    std::optional<LineReader> in = LineReader::fromFile(path);
    if (!in) return;
    std::string line;
    while (resultCount < kMaxResults && fgets_skip_comment(*in, line)) {
        if (line.find("##ChaXun") == std::string::npos) continue;
        resultTitles[resultCount] = cutToGbkWidth(fieldOf(line, 1), kTitleBytes);
        resultDxfFiles[resultCount] = cutToGbkWidth(fieldOf(line, 2), kFileBytes);
        resultRtfFiles[resultCount] = cutToGbkWidth(fieldOf(line, 3), kFileBytes);
        ++resultCount;
    }
}

int ItemList::ItemNumberAt(const CProjectData& project, int position) const {
    if (kindIndex < 0 || kindIndex >= CProjectData::kKinds) return 0;
    if (position < 0 || position >= project.itemCount[kindIndex]) return 0;
    return project.itemNumbers[kindIndex][position];
}

void ItemList::RefreshItemList(const CProjectData& project, const WorkContext& ctx,
                               bool selectLast) {
    int remembered = itemSelection < 0 ? 0 : itemSelection;
    itemLines.clear();
    resultCount = 0;
    int count =
        kindIndex >= 0 && kindIndex < CProjectData::kKinds ? project.itemCount[kindIndex] : 0;
    // One listing of the work path serves every item's name look-up.
    const DirectoryNames names(ctx.G_strWorkPath);
    for (int i = 0; i < count; ++i) {
        int n = project.itemNumbers[kindIndex][i];
        std::string file = ItemListFileName(n);
        std::string path = names.resolve(file);
        std::string name = ReadNameLine(path);
        if (i == remembered) readResultsFrom(path);
        char head[16];
        std::snprintf(head, sizeof head, "%02d  ", i + 1);
        itemLines.push_back(head + name + "(" + file + ")");
    }
    int lines = static_cast<int>(itemLines.size());
    if (selectLast) {
        itemSelection = lines > 0 ? lines - 1 : 0;
    } else {
        itemSelection = remembered;
    }
    // A combo cannot select past its last line: it then shows no selection.
    if (itemSelection >= lines) itemSelection = -1;

    int rememberedResult = resultSelection;
    resultLines.assign(resultTitles.begin(), resultTitles.begin() + resultCount);
    resultSelection = std::clamp(rememberedResult, 0, std::max(resultCount - 1, 0));
    if (resultCount == 0) resultSelection = -1;
}

bool ItemList::ShowResult(const WorkContext& ctx, std::string* dxfPath, std::string* rtfPath) {
    if (resultCount == 0) return false;
    curResult = std::clamp(curResult, 0, resultCount - 1);
    if (dxfPath) *dxfPath = workFile(ctx, resultDxfFiles[curResult]);
    if (rtfPath) *rtfPath = workFile(ctx, resultRtfFiles[curResult]);
    return true;
}

int ItemList::OpenItem(const CProjectData& project, bool newItem, MessageSink& messages,
                       ItemContext* context) const {
    int n = ItemNumberAt(project, itemSelection);
    if (itemSelection < 0 || itemSelection >= static_cast<int>(itemLines.size()) || n == 0) {
        messages.message("请先点“增”按钮增加一个项目，再点计算。");
        return 0;
    }
    char caption[64];
    std::snprintf(caption, sizeof caption, "%s %d", kCalcKinds[0].title, itemSelection + 1);
    context->caption = caption;
    context->fileBase = ItemFileBase(n);
    context->number = n;
    context->kindFlag = kCalcKinds[0].flag;
    context->newItem = newItem ? 1 : 0;
    return 1;
}

std::string ItemList::DeleteQuestion() const {
    if (itemSelection < 0 || itemSelection >= static_cast<int>(itemLines.size())) return {};
    return "是否真要删除 " + itemLines[itemSelection] + "?";
}
