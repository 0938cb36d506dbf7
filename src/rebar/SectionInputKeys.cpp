// Named values of a section check, with their units.
#include "rebar/SectionInputKeys.h"

#include "rebar/KeyValueLines.h"
#include "rebar/SectionDesign.h"

#include <cctype>
#include <optional>

namespace {

// A field in its unit and the factor that turns it into the design's unit.
struct NumberKey {
    const char* key;
    double SectionDesignInput::*field;
    double factor;
};

const NumberKey kNumbers[] = {
    {"b", &SectionDesignInput::b, 1000.0},
    {"h", &SectionDesignInput::h, 1000.0},
    {"d", &SectionDesignInput::d, 1000.0},
    {"cover", &SectionDesignInput::cover, 1.0},
    {"as", &SectionDesignInput::fixedAs, 1.0},
    {"as_other", &SectionDesignInput::fixedAsOther, 1.0},
    {"min_clear", &SectionDesignInput::leastClear, 1.0},
    {"M", &SectionDesignInput::Minner, 1.0},
    {"Mouter", &SectionDesignInput::Mouter, 1.0},
    {"V", &SectionDesignInput::V, 1.0},
    {"Mq", &SectionDesignInput::MqInner, 1.0},
    {"gamma0", &SectionDesignInput::gamma0, 1.0},
    {"gammaF", &SectionDesignInput::gammaF, 1.0},
    {"crack_limit", &SectionDesignInput::crackLimit, 1.0},
};

std::optional<int> gradeOf(std::string text) {
    if (!text.empty() && (text[0] == 'C' || text[0] == 'c')) text.erase(0, 1);
    const std::optional<double> v = WholeNumber(text);
    if (!v || *v != static_cast<int>(*v)) return std::nullopt;
    return static_cast<int>(*v);
}

}  // namespace

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
    for (const NumberKey& k : kNumbers) {
        if (key != k.key) continue;
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
