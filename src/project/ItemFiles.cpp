// Moving an item's files into the removed-items folder.
#include "project/ItemFiles.h"

#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool startsWithIgnoringCase(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// A new folder for one removal; create_directory fails on an existing one,
// so two removals can never share a folder.
std::string newRemovalFolder(const WorkContext& ctx, int number) {
    std::error_code ec;
    fs::path base = fs::path(ctx.G_strWorkPath) / kRemovedItemsFolder;
    fs::create_directories(base, ec);
    for (int k = 1; k < 100000; ++k) {
        fs::path folder = base / (ItemFileBase(number) + "-" + std::to_string(k));
        if (fs::create_directory(folder, ec)) return folder.string() + "/";
        if (ec) return {};
    }
    return {};
}

void tell(const WorkContext& ctx, int code, const std::string& text) {
    if (ctx.status) ctx.status->tell_error(code, text);
}

std::string movedText(const ItemFilesMove& m, int number) {
    return ItemFileBase(number) + " 的 " + std::to_string(m.files) + " 个文件已移到 " + m.folder;
}

// The files moved aside and the item taken off the list; with `save`, only
// once the project file is saved, the files moved back when it cannot be.
int removeItem(CProjectData& project, const WorkContext& ctx, int kind, int position, bool save) {
    if (kind < 0 || kind >= CProjectData::kKinds) return 0;
    if (position < 0 || position >= project.itemCount[kind]) return 0;
    int number = project.itemNumbers[kind][position];
    CProjectData trial = project;
    if (!trial.RemoveItem(kind, position)) return 0;
    ItemFilesMove moved = MoveItemFilesAside(ctx, number);
    if (!moved.result) {
        tell(ctx, kStatusFailure,
             "无法把 " + ItemFileBase(number) + " 的文件移到 " + kRemovedItemsFolder +
                 ", 项目未删除");
        return 0;
    }
    if (save && !trial.SaveProject(ctx)) {
        const bool back = MoveItemFilesBack(ctx, moved);
        tell(ctx, kStatusFailure,
             "无法保存工程文件 " + workFile(ctx, CProjectData::kFileName) + ", 项目未删除" +
                 (back ? std::string(", 文件留在原处")
                       : ", 部分文件未能移回, 在 " + moved.folder + " 中"));
        return 0;
    }
    project = trial;
    if (moved.files > 0) tell(ctx, kStatusFileNote, "已删除项目 " + movedText(moved, number));
    return 1;
}

}  // namespace

std::vector<std::string> ItemFileNames(const WorkContext& ctx, int number) {
    std::vector<std::string> names;
    const std::string base = ItemFileBase(number);
    std::error_code ec;
    fs::directory_iterator it(ctx.G_strWorkPath, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || !startsWithIgnoringCase(name, base)) continue;
        if (name.size() > base.size() && (name[base.size()] == '.' || name[base.size()] == '_'))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

ItemFilesMove MoveItemFilesAside(const WorkContext& ctx, int number) {
    ItemFilesMove out;
    std::vector<std::string> names = ItemFileNames(ctx, number);
    if (names.empty()) return out;
    out.folder = newRemovalFolder(ctx, number);
    if (out.folder.empty()) {
        out.result = 0;
        return out;
    }
    for (const std::string& name : names) {
        std::error_code ec;
        fs::rename(ctx.G_strWorkPath + name, out.folder + name, ec);
        if (ec) {
            MoveItemFilesBack(ctx, out);
            out.result = 0;
            out.files = 0;
            out.names.clear();
            return out;
        }
        out.names.push_back(name);
        ++out.files;
    }
    return out;
}

int MoveItemFilesBack(const WorkContext& ctx, const ItemFilesMove& move) {
    int result = 1;
    for (const std::string& name : move.names) {
        std::error_code ec;
        fs::rename(move.folder + name, ctx.G_strWorkPath + name, ec);
        if (ec) result = 0;
    }
    std::error_code ec;
    if (!move.folder.empty()) fs::remove(move.folder, ec);  // only when empty
    return result;
}

int RemoveProjectItem(CProjectData& project, const WorkContext& ctx, int kind, int position) {
    return removeItem(project, ctx, kind, position, false);
}

int RemoveProjectItemAndSave(CProjectData& project, const WorkContext& ctx, int kind,
                             int position) {
    return removeItem(project, ctx, kind, position, true);
}

int AddProjectItem(CProjectData& project, const WorkContext& ctx, int kind) {
    CProjectData trial = project;
    int number = trial.AddItem(kind);
    if (number == 0) {
        project = trial;  // a failed allocation still marks the record changed
        return 0;
    }
    ItemFilesMove moved = MoveItemFilesAside(ctx, number);
    if (!moved.result) {
        tell(ctx, kStatusFailure,
             "编号 " + std::to_string(number) + " 下已有文件, 无法移到 " + kRemovedItemsFolder +
                 ", 未增加项目");
        return 0;
    }
    if (moved.files > 0)
        tell(ctx, kStatusFileNote, "新项目的编号下已有文件: " + movedText(moved, number));
    project = trial;
    return number;
}

void DiscardNewItemFiles(const WorkContext& ctx, int number) {
    for (const std::string& name : ItemFileNames(ctx, number)) {
        std::error_code ec;
        fs::remove(ctx.G_strWorkPath + name, ec);
    }
}

int SaveProjectWithNewItem(CProjectData& project, const WorkContext& ctx, int number) {
    if (project.SaveProject(ctx)) return 1;
    DiscardNewItemFiles(ctx, number);
    tell(ctx, kStatusFailure,
         "无法保存工程文件 " + workFile(ctx, CProjectData::kFileName) + ", 未增加项目");
    return 0;
}
