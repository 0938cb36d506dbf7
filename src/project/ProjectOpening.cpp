// Project record and project directory as the opening of a project needs them.
#include "project/ProjectOpening.h"

#include "platform/InputDiagnostics.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/CProjectInfo.h"

#include <filesystem>

namespace {

std::string trimmed(const std::string& s) {
    const char* blanks = " \t\r\n";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace

ProjectLoad OpenProjectRecord(const WorkContext& ctx, CProjectData& project) {
    project = CProjectData{};
    // What was wrong in a damaged file is told, so the user knows what was lost.
    InputDiagnostics diagnostics;
    bool loaded = project.LoadProject(ctx, &diagnostics);
    if (ctx.status) diagnostics.tellTo(*ctx.status);
    std::error_code ec;
    bool present = std::filesystem::exists(workFile(ctx, CProjectData::kFileName), ec);
    project.IncludeKind(0);
    if (loaded) return ProjectLoad::Loaded;
    if (!present) return ProjectLoad::Created;
    // Including the kind alone must not write over what may still be rescued.
    project.modified = 0;
    return ProjectLoad::Damaged;
}

ConfirmedDirectory ConfirmProjectDirectory(const std::string& typedPath, const CProjectInfo& info) {
    ConfirmedDirectory result;
    std::string dir = trimmed(typedPath);
    if (dir.empty()) return result;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        std::filesystem::create_directories(dir, ec);
        if (!std::filesystem::is_directory(dir, ec)) return result;
    }
    result.workPath = withTrailingSlash(dir);
    result.outcome = info.WriteInfoFile(result.workPath) ? ProjectDirOutcome::Ready
                                                         : ProjectDirOutcome::InfoNotSaved;
    return result;
}
