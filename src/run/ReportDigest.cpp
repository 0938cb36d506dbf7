// Reading a report back line by line. Each figure is the text between a fixed
// lead and a fixed tail of a line the run writes; a line that does not match
// is skipped, so a report of another target simply yields fewer figures.
#include "run/ReportDigest.h"

namespace {

// The text of line between lead (at its start) and the first tail after it.
bool field(std::string_view line, std::string_view lead, std::string_view tail, std::string& out) {
    if (!line.starts_with(lead)) return false;
    line.remove_prefix(lead.size());
    const size_t end = tail.empty() ? line.size() : line.find(tail);
    if (end == std::string_view::npos) return false;
    out = std::string(line.substr(0, end));
    return true;
}

// The same where key stands anywhere in the line.
bool fieldAfter(std::string_view line, std::string_view key, std::string_view tail,
                std::string& out) {
    const size_t at = line.find(key);
    return at != std::string_view::npos && field(line.substr(at), key, tail, out);
}

// The lines of the supplement: "    稳定系数(隐式解) Fs = 1.2345  稳定状态: 稳定"
// (or "Fs < 0.0500 ..."), the thrust line and the outcome line.
bool supplementLine(std::string_view line, ReportDigest& d) {
    std::string fs;
    if (field(line, "    稳定系数(隐式解) Fs ", "", fs)) {
        const size_t state = fs.find("  稳定状态: ");
        d.fs = fs.substr(0, state);
        if (d.fs.starts_with("= ")) d.fs.erase(0, 2);
        if (state != std::string::npos) {
            std::string rest = fs.substr(state + std::string_view("  稳定状态: ").size());
            d.fsState = rest.substr(0, rest.find("  "));
        }
        return true;
    }
    if (field(line, "    计算位置 X = ", "m 处", d.thrustX) &&
        fieldAfter(line, "滑坡推力 = ", "(kN)", d.thrust) &&
        fieldAfter(line, "推力角度 = ", "(度)", d.thrustAngle))
        return true;
    return field(line, "    计算状态: ", "", d.outcome);
}

// Quantities and design results of the original report.
void resultLine(std::string_view line, ReportDigest& d, ReportDigest::Piles& layout) {
    ReportDigest::Piles* last = d.piles.empty() ? nullptr : &d.piles.back();
    std::string v;
    if (field(line, "    采用第 ", " 种桩时", v)) {
        layout = ReportDigest::Piles{};
        layout.kind = v;
    } else if (field(line, "    布置 ", " 排，桩间距 ", layout.rows)) {
        fieldAfter(line, "桩间距 ", "(m)", layout.spacing);
    } else if (line.starts_with("    滑坍纵向宽度 = ") && line.ends_with("种桩：")) {
        ReportDigest::Piles p = layout;
        fieldAfter(line, "，第", "种桩：", p.kind);
        d.piles.push_back(p);
    } else if (last && field(line, "        共需要抗滑桩 ", " 根", v)) {
        last->count = v;
    } else if (last && field(line, "        抗滑桩的总造价 = ", " 元", v)) {
        last->cost = v;
    } else if (last && field(line, "        抗滑桩的总工费 = ", " 元", v)) {
        last->labour = v;
    } else if (last && field(line, "        抗滑桩的总工期 = ", " 人天", v)) {
        last->days = v;
    } else if (field(line, "      反压码高度     = ", "(m)时", v)) {
        d.bermFound = "H=" + v;
    } else if (field(line, "      反压码定位距离 = ", "(m)时", v)) {
        d.bermFound = "X0=" + v;
    } else if (field(line, "      刷方定位高度     = ", "(m)时", v)) {
        d.unloadFound = v;
    } else {
        field(line, "        反压码的总体积 = ", " m3", d.bermVolume) ||
            field(line, "        反压码的总工费 = ", " 元", d.bermLabour) ||
            field(line, "        反压码的总工期 = ", " 人天", d.bermDays) ||
            field(line, "        刷方的总体积 = ", " m3", d.unloadVolume) ||
            field(line, "        刷方的总工费 = ", " 元", d.unloadLabour) ||
            field(line, "        刷方的总工期 = ", " 人天", d.unloadDays);
    }
}

}  // namespace

ReportDigest ReadReportDigest(std::string_view report) {
    ReportDigest d;
    ReportDigest::Piles layout;
    while (!report.empty()) {
        const size_t end = report.find('\n');
        std::string_view line = report.substr(0, end);
        report.remove_prefix(end == std::string_view::npos ? report.size() : end + 1);
        if (line == "[本程序补充]") d.hasSupplement = true;
        if (d.hasSupplement)
            supplementLine(line, d);
        else
            resultLine(line, d, layout);
    }
    return d;
}
