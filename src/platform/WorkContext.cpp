// Name resolution inside the work path and the program directory.
#include "platform/WorkContext.h"

#include "platform/LineReader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string withTrailingSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string resolveInDir(const std::string& dir, const std::string& name) {
    std::string base = withTrailingSlash(dir);
    std::error_code ec;
    if (std::filesystem::exists(base + name, ec)) return base + name;
    std::filesystem::directory_iterator it(base, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (equalIgnoringCase(candidate, name)) return base + candidate;
    }
    return base + name;
}

std::string resolvePath(const std::string& path) {
    std::filesystem::path p(path);
    std::string dir = p.parent_path().empty() ? std::string(".") : p.parent_path().string();
    return resolveInDir(dir, p.filename().string());
}

std::string workFile(const WorkContext& ctx, const std::string& name) {
    return resolveInDir(ctx.G_strWorkPath, name);
}

std::string exeFile(const WorkContext& ctx, const std::string& name) {
    return resolveInDir(ctx.G_strExePath, name);
}

std::optional<LineReader> open_file_no_comment(const WorkContext& ctx, const std::string& name) {
    // Project text files are item data files and their like; none real comes
    // near this.
    constexpr uint64_t kMaxProjectTextBytes = 16 * 1024 * 1024;
    return LineReader::fromFile(workFile(ctx, name), kMaxProjectTextBytes, nullptr);
}
