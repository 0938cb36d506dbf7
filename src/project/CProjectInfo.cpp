// "GCXX.BOX": four text lines, GBK on disk.
#include "project/CProjectInfo.h"

#include "platform/AtomicFile.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

const char* const kIndustryNames[CProjectInfo::kIndustries] = {"其它行业", "铁路行业", "公路行业",
                                                               "水利行业"};

namespace {

// A line is read into a 290-byte buffer: at most 289 GBK bytes of it count.
constexpr int kLineLimit = 289;

}  // namespace

std::string FormatDesignTime(std::time_t now) {
    std::tm t{};
    localtime_r(&now, &t);
    // The year comes as two digits; below 90 it is this century, otherwise the
    // two digits stand as they are (the behaviour users know from the tool).
    int year = t.tm_year % 100;
    if (year < 90) year += 2000;
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d年%d月%d日 %s", year, t.tm_mon + 1, t.tm_mday, clock);
    return buf;
}

CProjectInfo CProjectInfo::Defaults(const std::string& workPath, std::time_t now) {
    CProjectInfo info;
    info.designTime = FormatDesignTime(now);
    info.workPath = workPath;
    return info;
}

void CProjectInfo::ParseInfoText(const std::string& text, InputDiagnostics* diag) {
    static const char* const kFields[] = {"name", "number", "designTime", "industry"};
    LineReader in(text);
    std::string lines[4];
    for (int i = 0; i < 4; ++i) {
        if (!in.nextLine(lines[i])) break;
        std::string cut = cutToGbkWidth(lines[i], kLineLimit);
        if (diag && cut != lines[i])
            diag->add(i + 1, kFields[i], lines[i], "超过 289 字节, 只读前 289 字节");
        lines[i] = cut;
    }
    name = lines[0];
    number = lines[1];
    designTime = lines[2];
    // An empty or unreadable industry is the first; others are held to the list.
    char* end = nullptr;
    long value = std::strtol(lines[3].c_str(), &end, 10);
    industry = static_cast<int>(std::clamp(value, 0L, static_cast<long>(kIndustries - 1)));
    bool whole =
        *end == '\0' || std::string_view(end).find_first_not_of(" \t") == std::string::npos;
    if (diag && !lines[3].empty() && (!whole || value != industry))
        diag->add(4, kFields[3], lines[3],
                  "不是 0..3 的行业代码, 按 " + std::to_string(industry) + " 读");
}

std::string CProjectInfo::FormatInfoText() const {
    auto oneLine = [](std::string s) {
        std::replace(s.begin(), s.end(), '\n', ' ');
        std::replace(s.begin(), s.end(), '\r', ' ');
        return s + "\n";
    };
    return oneLine(name) + oneLine(number) + oneLine(designTime) + std::to_string(industry) + "\n";
}

int CProjectInfo::ReadInfoFile(const std::string& dir) {
    return ReadInfoFile(dir, nullptr);
}

int CProjectInfo::ReadInfoFile(const std::string& dir, InputDiagnostics* diagnostics) {
    std::string path = resolveInDir(withTrailingSlash(dir), kFileName);
    std::optional<std::string> bytes = readInputFile(path, kMaxFileBytes, diagnostics);
    if (!bytes) return 0;
    ParseInfoText(decodeFileText(*bytes), diagnostics);
    return 1;
}

int CProjectInfo::WriteInfoFile(const std::string& dir) const {
    return writeFileAtomically(resolveInDir(withTrailingSlash(dir), kFileName),
                               utf8ToGbk(FormatInfoText()));
}
