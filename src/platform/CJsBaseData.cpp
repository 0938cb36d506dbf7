// Mark line and the "##Name" / "##ChaXun" tail of a data file.
#include "platform/CJsBaseData.h"

#include "platform/LineReader.h"

#include <algorithm>
#include <filesystem>

namespace {

// Splits at commas; the last field takes the rest of the line.
std::vector<std::string> splitFields(const std::string& line, size_t count) {
    std::vector<std::string> fields;
    size_t pos = 0;
    while (fields.size() + 1 < count) {
        size_t comma = line.find(',', pos);
        if (comma == std::string::npos) break;
        fields.push_back(line.substr(pos, comma - pos));
        pos = comma + 1;
    }
    fields.push_back(line.substr(std::min(pos, line.size())));
    return fields;
}

}  // namespace

void CJsBaseData::SetBiaoShi(std::string& out, const std::string& mark) {
    out += mark;
    out += '\n';
}

int CJsBaseData::CheckBiaoShi(LineReader& in, const std::string& mark) {
    std::string line;
    if (!in.nextLine(line)) return 0;
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    size_t end = line.find_last_not_of(" \t\r");
    line.erase(end == std::string::npos ? 0 : end + 1);
    return line == mark ? 1 : 0;
}

void CJsBaseData::SaveData(std::string& out) const {
    // A line break typed into the description would end the line early.
    std::string name = m_name;
    std::replace(name.begin(), name.end(), '\n', ' ');
    std::replace(name.begin(), name.end(), '\r', ' ');
    out += "##Name," + name + "\n";
    for (const ResultEntry& r : m_results)
        out += "##ChaXun," + r.title + "," + r.dxfFile + "," + r.rtfFile + "\n";
}

void CJsBaseData::LoadData(LineReader& in) {
    bool haveName = false;
    m_name.clear();
    m_results.clear();
    std::string line;
    while (fgets_skip_comment(in, line)) {
        if (!haveName && line.find("##Name") != std::string::npos) {
            m_name = line.size() > 7 ? line.substr(7) : std::string();
            haveName = true;
        } else if (line.find("##ChaXun") != std::string::npos && resultCount() < kMaxResults) {
            std::vector<std::string> f = splitFields(line, 4);
            f.resize(4);
            m_results.push_back({f[1], f[2], f[3]});
        }
    }
}

void CJsBaseData::setResult(int i, ResultEntry entry) {
    if (i < 0 || i >= kMaxResults) return;
    if (resultCount() <= i) m_results.resize(i + 1);
    m_results[i] = std::move(entry);
}

void CJsBaseData::setResultCount(int n) {
    if (n >= 0 && n <= kMaxResults) m_results.resize(n);
}

std::string CJsBaseData::GetRtfFileName(int i) const {
    return i >= 0 && i < resultCount() ? m_results[i].rtfFile : std::string();
}

std::string CJsBaseData::GetDxfFileName(int i) const {
    return i >= 0 && i < resultCount() ? m_results[i].dxfFile : std::string();
}

void CJsBaseData::Remove_Result_Files(const std::string& workPath) const {
    // Only files: a folder that happens to carry a result's name is the
    // engineer's, and removing it (empty or not) is never ours to do.
    auto removeFile = [&](const std::string& name) {
        std::error_code ec;
        if (name.empty()) return;
        auto type = std::filesystem::symlink_status(workPath + name, ec).type();
        if (!ec && type != std::filesystem::file_type::directory)
            std::filesystem::remove(workPath + name, ec);
    };
    for (const ResultEntry& r : m_results) {
        removeFile(r.dxfFile);
        removeFile(r.rtfFile);
    }
}
