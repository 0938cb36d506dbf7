// Named values of a section check, with their units.
#include "rebar/SectionInputKeys.h"

#include "rebar/KeyValueLines.h"
#include "rebar/SectionDesign.h"

#include <array>
#include <cctype>
#include <optional>

namespace {

// A key, and for a number the field it sets and the factor that turns the
// key's unit into the design's; shape, concrete and the bar grades are words.
struct KeyField {
    SectionInputKey key;
    double SectionDesignInput::*field;
    double factor;
};

const KeyField kKeys[] = {
    {{"shape", "截面形状: rect (矩形) 或 circle (圆形)"}, nullptr, 0.0},
    {{"b", "矩形截面宽 b (m, 垂直于推力方向)"}, &SectionDesignInput::b, 1000.0},
    {{"h", "矩形截面高 h (m, 沿推力方向)"}, &SectionDesignInput::h, 1000.0},
    {{"d", "圆形截面直径 (m)"}, &SectionDesignInput::d, 1000.0},
    {{"concrete", "混凝土强度等级, 如 C30"}, nullptr, 0.0},
    {{"steel", "纵筋牌号: HPB300, HRB335, HRB400, HRB500"}, nullptr, 0.0},
    {{"stirrup", "箍筋牌号"}, nullptr, 0.0},
    {{"cover", "保护层厚度 (mm, 至箍筋外缘)"}, &SectionDesignInput::cover, 1.0},
    {{"as", "受拉边至受拉钢筋合力点的距离 (mm); 省略时由保护层、箍筋和所选钢筋定"},
     &SectionDesignInput::fixedAs,
     1.0},
    {{"as_other", "另一侧边至其钢筋合力点的距离 (mm)"}, &SectionDesignInput::fixedAsOther, 1.0},
    {{"min_clear", "钢筋最小净距 (mm, 默认 50)"}, &SectionDesignInput::leastClear, 1.0},
    {{"M", "内侧(靠山侧)受拉弯矩标准值 (kN-m)"}, &SectionDesignInput::Minner, 1.0},
    {{"Mouter", "外侧(临空侧)受拉弯矩标准值 (kN-m)"}, &SectionDesignInput::Mouter, 1.0},
    {{"V", "剪力标准值 (kN)"}, &SectionDesignInput::V, 1.0},
    {{"Mq", "裂缝验算用的准永久弯矩 (kN-m, 默认取 --M)"}, &SectionDesignInput::MqInner, 1.0},
    {{"gamma0", "结构重要性系数 γ0 (默认 1.0)"}, &SectionDesignInput::gamma0, 1.0},
    {{"gammaF", "荷载分项系数 γF (默认 1.35)"}, &SectionDesignInput::gammaF, 1.0},
    {{"crack_limit", "最大裂缝宽度限值 (mm, 默认 0.2)"}, &SectionDesignInput::crackLimit, 1.0},
};

const std::array<SectionInputKey, std::size(kKeys)> kKeyList = [] {
    std::array<SectionInputKey, std::size(kKeys)> list{};
    for (size_t i = 0; i < list.size(); ++i) list[i] = kKeys[i].key;
    return list;
}();

std::optional<int> gradeOf(std::string text) {
    if (!text.empty() && (text[0] == 'C' || text[0] == 'c')) text.erase(0, 1);
    const std::optional<double> v = WholeNumber(text);
    if (!v || *v != static_cast<int>(*v)) return std::nullopt;
    return static_cast<int>(*v);
}

}  // namespace

std::span<const SectionInputKey> SectionInputKeys() {
    return kKeyList;
}

bool SetSectionInput(SectionDesignInput& in, const std::string& key, const std::string& value,
                     std::string* why) {
    auto fail = [&](const std::string& text) {
        if (why) *why = key + "=" + value + ": " + text;
        return false;
    };
    if (key == "shape") {
        if (value != "rect" && value != "circle") return fail("形状应为 rect 或 circle");
        in.circle = value == "circle";
        return true;
    }
    if (key == "concrete") {
        const std::optional<int> grade = gradeOf(value);
        if (!grade) return fail("混凝土强度等级应写作 C30 或 30");
        in.concreteGrade = *grade;
        return true;
    }
    if (key == "steel" || key == "stirrup") {
        (key == "steel" ? in.bar : in.stirrup) = value;
        return true;
    }
    for (const KeyField& k : kKeys) {
        if (!k.field || key != k.key.key) continue;
        const std::optional<double> v = WholeNumber(value);
        if (!v) return fail("不是数");
        in.*k.field = *v * k.factor;
        return true;
    }
    return fail("没有这个参数");
}

bool SectionInputComplete(const SectionDesignInput& in, std::string* why) {
    const bool ok = in.circle ? in.d > 0.0 : in.b > 0.0 && in.h > 0.0;
    if (!ok && why) *why = in.circle ? "圆形截面应给出直径 d (m)" : "矩形截面应给出 b 和 h (m)";
    return ok;
}
