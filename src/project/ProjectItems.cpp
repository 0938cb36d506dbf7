#include "project/ProjectItems.h"

#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/RebarSettingsFile.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/CPileLibrary.h"
#include "project/CProjectInfo.h"
#include "project/CTemplateIndex.h"
#include "project/ItemFiles.h"
#include "project/ItemList.h"
#include "project/ProjectOpening.h"
#include "project/TemplateChooser.h"

#include <ctime>
#include <filesystem>

namespace {

constexpr int kKind = 0;  // the one calculation kind

bool exists(const WorkContext& ctx, const std::string& name) {
    std::error_code ec;
    return std::filesystem::exists(workFile(ctx, name), ec);
}

// The start data of the new item: the system default, or the template at pos.
AddOutcome startData(const WorkContext& ctx, int pos, CSlideCalcData& item, AddedItem& added,
                     std::string& templatePath) {
    if (pos <= 0) return AddOutcome::Added;
    CTemplateIndex index;
    const bool loaded = LoadTemplatesTelling(index, ctx);
    added.templateCount = index.templateCount[kKind];
    if (!loaded || pos > index.templateCount[kKind]) return AddOutcome::NoSuchTemplate;
    added.templateNumber = index.templateNumbers[kKind][pos - 1];
    templatePath = TemplateFilePath(ctx, added.templateNumber);
    return item.ReadDataFile(templatePath) ? AddOutcome::Added : AddOutcome::TemplateUnreadable;
}

AddedItem failed(AddOutcome outcome) {
    AddedItem added;
    added.outcome = outcome;
    return added;
}

}  // namespace

bool LoadTemplatesTelling(CTemplateIndex& index, const WorkContext& ctx) {
    InputDiagnostics diagnostics;
    const bool loaded = index.LoadTemplateIndex(ctx, &diagnostics);
    if (ctx.status) diagnostics.tellTo(*ctx.status);
    return loaded;
}

std::vector<ListedItem> ListProjectItems(const CProjectData& project, const WorkContext& ctx) {
    std::vector<ListedItem> items;
    ItemList list;
    list.RefreshItemList(project, ctx, false);
    for (int i = 0; i < static_cast<int>(list.itemLines.size()); ++i) {
        ListedItem& item = items.emplace_back();
        item.line = list.itemLines[i];
        list.ReadResultList(ctx, ItemListFileName(list.ItemNumberAt(project, i)));
        for (int r = 0; r < list.resultCount; ++r)
            item.results.push_back({list.resultTitles[r], list.resultDxfFiles[r],
                                    list.resultRtfFiles[r], exists(ctx, list.resultDxfFiles[r]),
                                    exists(ctx, list.resultRtfFiles[r])});
    }
    return items;
}

bool ListTemplates(const WorkContext& ctx, std::vector<std::string>& lines) {
    std::error_code ec;
    CTemplateIndex index;
    if (!std::filesystem::is_directory(TemplateDirectory(ctx, false), ec) ||
        !LoadTemplatesTelling(index, ctx))
        return false;
    TemplateChooser chooser(index, ctx, kKind);
    lines.assign(chooser.lines().begin() + TemplateChooser::kFixedLines, chooser.lines().end());
    return true;
}

bool ListPileLibrary(const WorkContext& ctx, std::vector<std::string>& lines) {
    CPileLibrary library;
    if (!library.LoadPileLibrary(ctx)) return false;
    lines.clear();
    for (size_t i = 0; i < library.entries.size(); ++i) {
        std::string line;
        for (const std::string& text : PileListRowTexts(library.entries[i], static_cast<int>(i)))
            line += (line.empty() ? "" : "\t") + text;
        lines.push_back(line);
    }
    return true;
}

AddedItem AddItemFromTemplate(const WorkContext& ctx, int templatePos) {
    AddedItem added;
    std::error_code ec;
    std::filesystem::create_directories(ctx.G_strWorkPath, ec);
    CProjectData project;
    OpenProjectRecord(ctx, project);
    CSlideCalcData item;
    std::string templatePath;
    added.outcome = startData(ctx, templatePos, item, added, templatePath);
    if (added.outcome != AddOutcome::Added) return added;
    const int number = AddProjectItem(project, ctx, kKind);
    if (number == 0) return failed(AddOutcome::Full);
    // As the item bar does: the new last line selected and opened as a new
    // item, described by the kind's title and its position. It has no results
    // yet (a template's result files belong to another directory).
    ItemList list;
    list.RefreshItemList(project, ctx, true);
    ItemContext opened;
    NullSinks silent;
    if (!list.OpenItem(project, true, ctx.messages ? *ctx.messages : silent, &opened))
        return failed(AddOutcome::NotOpened);
    item.setName(opened.caption);
    item.setResultCount(0);
    const std::string itemPath = workFile(ctx, opened.fileBase + ".dat");
    if (!item.WriteDataFile(itemPath) || !CopyRebarSettings(templatePath, itemPath)) {
        DiscardNewItemFiles(ctx, number);
        return failed(AddOutcome::NotWritten);
    }
    if (!SaveProjectWithNewItem(project, ctx, number)) return failed(AddOutcome::NotSaved);
    CProjectInfo info;
    InputDiagnostics diagnostics;
    const int read = info.ReadInfoFile(ctx.G_strWorkPath, &diagnostics);
    if (ctx.status) diagnostics.tellTo(*ctx.status);
    if (!read)
        CProjectInfo::Defaults(ctx.G_strWorkPath, std::time(nullptr))
            .WriteInfoFile(ctx.G_strWorkPath);
    list.RefreshItemList(project, ctx, true);
    added.line = list.itemLines.back();
    return added;
}
