// The settings file's name and its copy from one data file to another.
#include "platform/RebarSettingsFile.h"

#include "platform/AtomicFile.h"
#include "platform/LineReader.h"
#include "platform/WorkContext.h"

#include <filesystem>
#include <optional>

std::string RebarSettingsPathOf(const std::string& dataPath) {
    const std::filesystem::path p(dataPath);
    const std::string name = p.stem().string() + kRebarSettingsExtension;
    const std::string dir = p.has_parent_path() ? p.parent_path().string() : std::string(".");
    return resolveInDir(withTrailingSlash(dir), name);
}

int CopyRebarSettings(const std::string& fromDataPath, const std::string& toDataPath) {
    const std::string from =
        fromDataPath.empty() ? std::string() : RebarSettingsPathOf(fromDataPath);
    const std::string to = RebarSettingsPathOf(toDataPath);
    if (from == to) return 1;
    std::error_code ec;
    if (from.empty() || !std::filesystem::exists(from, ec)) {
        std::filesystem::remove(to, ec);
        return ec ? 0 : 1;
    }
    const std::optional<std::string> bytes = readFileBytes(from);
    return bytes ? writeFileAtomically(to, *bytes) : 0;
}
