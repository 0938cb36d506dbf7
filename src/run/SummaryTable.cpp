// The columns of the summary, shared by the CSV table and the report page.
#include "run/SummaryTable.h"

#include "platform/PrintfFormat.h"

namespace {

struct Column {
    const char* header;
    std::string SummaryRow::*field;
};

const Column kColumns[] = {
    {"项目说明", &SummaryRow::description},
    {"计算内容", &SummaryRow::target},
    {"推力位置X(m)", &SummaryRow::thrustX},
    {"滑坡推力(kN)", &SummaryRow::thrust},
    {"推力角度(度)", &SummaryRow::thrustAngle},
    {"稳定系数Fs(隐式解)", &SummaryRow::fs},
    {"稳定状态", &SummaryRow::fsState},
    {"桩型(第几种)", &SummaryRow::pileKind},
    {"桩排数", &SummaryRow::pileRows},
    {"桩间距(m)", &SummaryRow::pileSpacing},
    {"反压码(m)", &SummaryRow::berm},
    {"刷方高程(m)", &SummaryRow::unloadY},
    {"抗滑桩(根)", &SummaryRow::pileCount},
    {"反压码体积(m3)", &SummaryRow::bermVolume},
    {"刷方体积(m3)", &SummaryRow::unloadVolume},
    {"造价(元)", &SummaryRow::cost},
    {"工费(元)", &SummaryRow::labour},
    {"工期(人天)", &SummaryRow::days},
    {"计算结果", &SummaryRow::outcome},
    {"数据来源", &SummaryRow::source},
};

// A field with a comma, quote or line end is quoted, its quotes doubled.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

void writeItem(const SummaryRow& r, std::string& out) {
    out += stringPrintf("    项目 %d  %s\n", r.number, r.description.c_str());
    out +=
        stringPrintf("        计算内容: %s    计算结果: %s", r.target.c_str(), r.outcome.c_str());
    out += r.source.empty() ? "\n" : stringPrintf(" (%s)\n", r.source.c_str());
    if (!r.thrust.empty())
        out += stringPrintf("        推力位置 X = %sm  滑坡推力 = %s(kN)  推力角度 = %s(度)\n",
                            r.thrustX.c_str(), r.thrust.c_str(), r.thrustAngle.c_str());
    if (!r.fs.empty())
        out += stringPrintf("        稳定系数 Fs = %s  稳定状态: %s\n", r.fs.c_str(),
                            r.fsState.c_str());
    if (!r.pileKind.empty())
        out += stringPrintf("        抗滑桩: 第%s种桩 %s 排  桩间距 %sm  共 %s 根\n",
                            r.pileKind.c_str(), r.pileRows.c_str(), r.pileSpacing.c_str(),
                            r.pileCount.empty() ? "-" : r.pileCount.c_str());
    if (!r.berm.empty() || !r.bermVolume.empty())
        out +=
            stringPrintf("        反压码: %s  体积 %s m3\n", r.berm.empty() ? "-" : r.berm.c_str(),
                         r.bermVolume.empty() ? "-" : r.bermVolume.c_str());
    if (!r.unloadY.empty() || !r.unloadVolume.empty())
        out += stringPrintf("        刷方: 高程 %sm  体积 %s m3\n",
                            r.unloadY.empty() ? "-" : r.unloadY.c_str(),
                            r.unloadVolume.empty() ? "-" : r.unloadVolume.c_str());
    if (!r.labour.empty())
        out += stringPrintf("        造价 = %s 元  工费 = %s 元  工期 = %s 人天\n",
                            r.cost.empty() ? "0.000" : r.cost.c_str(), r.labour.c_str(),
                            r.days.c_str());
}

}  // namespace

std::vector<std::string> SummaryColumnTitles() {
    std::vector<std::string> titles{"项目编号"};
    for (const Column& c : kColumns) titles.push_back(c.header);
    return titles;
}

std::vector<std::string> SummaryCells(const SummaryRow& row) {
    std::vector<std::string> cells{std::to_string(row.number)};
    for (const Column& c : kColumns) cells.push_back(row.*c.field);
    return cells;
}

std::string SummaryCsv(const std::vector<SummaryRow>& rows) {
    auto line = [](const std::vector<std::string>& cells) {
        std::string out;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i) out += ',';
            out += csvField(cells[i]);
        }
        return out + "\r\n";
    };
    std::string out = "\xEF\xBB\xBF" + line(SummaryColumnTitles());
    for (const SummaryRow& r : rows) out += line(SummaryCells(r));
    return out;
}

std::string SummaryReportText(const std::string& projectName, const std::vector<SummaryRow>& rows) {
    const std::string dashes(72, '-');
    std::string out = dashes + "\n";
    out += stringPrintf("工程汇总： %s\n", projectName.c_str());
    out += dashes + "\n";
    int failed = 0;
    for (const SummaryRow& r : rows) failed += r.succeeded ? 0 : 1;
    out += stringPrintf("    共 %zu 个项目，计算成功 %zu 个，未成功 %d 个\n\n", rows.size(),
                        rows.size() - failed, failed);
    for (const SummaryRow& r : rows) {
        writeItem(r, out);
        out += "\n";
    }
    return out;
}
