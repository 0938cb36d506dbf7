// "GCXX.BOX": four text lines, GBK on disk.
#include "project/CProjectInfo.h"

#include "platform/AtomicFile.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

void CProjectInfo::ParseInfoText(const std::string& text) {
    LineReader in(text);
    std::string lines[4];
    for (std::string& line : lines) {
        if (!in.nextLine(line)) break;
        line = cutToGbkWidth(line, kLineLimit);
    }
    name = lines[0];
    number = lines[1];
    designTime = lines[2];
    // An empty or unreadable industry is the first; others are held to the list.
    long value = std::strtol(lines[3].c_str(), nullptr, 10);
    industry = static_cast<int>(std::clamp(value, 0L, static_cast<long>(kIndustries - 1)));
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
    std::optional<std::string> bytes =
        readFileBytes(resolveInDir(withTrailingSlash(dir), kFileName));
    if (!bytes) return 0;
    ParseInfoText(decodeFileText(*bytes));
    return 1;
}

int CProjectInfo::WriteInfoFile(const std::string& dir) const {
    return writeFileAtomically(resolveInDir(withTrailingSlash(dir), kFileName),
                               utf8ToGbk(FormatInfoText()));
}
