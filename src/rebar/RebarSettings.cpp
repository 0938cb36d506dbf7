// Reading, editing and writing the reinforcement settings file.
#include "rebar/RebarSettings.h"

#include "platform/AtomicFile.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/PrintfFormat.h"
#include "platform/TextEncoding.h"
#include "rebar/KeyValueLines.h"
#include "rebar/Materials.h"

#include <filesystem>
#include <optional>

namespace {

// A number key, its field and the range an engineer may give.
struct NumberField {
    const char* key;
    double RebarSettings::*field;
    double least, most;
};

const NumberField kNumbers[] = {
    {"cover", &RebarSettings::cover, 20.0, 300.0},
    {"gamma0", &RebarSettings::gamma0, 0.5, 2.0},
    {"gammaF", &RebarSettings::gammaF, 0.5, 3.0},
    {"crack_limit", &RebarSettings::crackLimit, 0.05, 1.0},
    {"min_clear", &RebarSettings::leastClear, 20.0, 300.0},
    {"price", &RebarSettings::price, 0.0, 1.0e6},
};

const NumberField* numberField(const std::string& key) {
    for (const NumberField& f : kNumbers)
        if (key == f.key) return &f;
    return nullptr;
}

}  // namespace

const std::vector<RebarSettingKey>& RebarSettingKeys() {
    static const std::vector<RebarSettingKey> keys = {
        {"bar", "纵筋牌号"},
        {"stirrup", "箍筋牌号"},
        {"cover", "保护层厚度(mm, 至箍筋外缘)"},
        {"gamma0", "结构重要性系数 γ0"},
        {"gammaF", "荷载分项系数 γF"},
        {"crack_limit", "最大裂缝宽度限值(mm)"},
        {"min_clear", "钢筋最小净距(mm)"},
        {"price", "钢筋单价(元/t)"},
    };
    return keys;
}

std::string RebarSettingText(const RebarSettings& s, const std::string& key) {
    if (key == "bar") return s.bar;
    if (key == "stirrup") return s.stirrup;
    if (const NumberField* f = numberField(key)) return stringPrintf("%g", s.*(f->field));
    return {};
}

bool SetRebarSetting(RebarSettings& s, const std::string& key, const std::string& value,
                     std::string* why) {
    auto fail = [&](const std::string& text) {
        if (why) *why = text;
        return false;
    };
    if (key == "bar" || key == "stirrup") {
        const std::optional<Steel> steel = SteelOfName(value);
        if (!steel) return fail(std::string("钢筋牌号应为 ") + SteelNames() + " 之一");
        (key == "bar" ? s.bar : s.stirrup) = steel->name;
        return true;
    }
    const NumberField* f = numberField(key);
    if (!f) return fail("没有这个参数");
    const std::optional<double> v = WholeNumber(value);
    if (!v) return fail("不是数");
    if (*v < f->least || *v > f->most)
        return fail(stringPrintf("应在 %g ~ %g 之间", f->least, f->most));
    s.*(f->field) = *v;
    return true;
}

RebarSettings ReadRebarSettings(const std::string& path, InputDiagnostics& diagnostics) {
    RebarSettings s;
    diagnostics.setFile(path);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return s;
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        diagnostics.add(0, {}, {}, "无法读取, 配筋参数用默认值");
        return s;
    }
    const RebarSettings defaults;
    for (const KeyValueLine& kv : ParseKeyValueLines(decodeFileText(*bytes), diagnostics)) {
        std::string why;
        if (!SetRebarSetting(s, kv.key, kv.value, &why)) {
            const std::string fallback = RebarSettingText(defaults, kv.key);
            diagnostics.add(kv.line, kv.key, kv.value,
                            why + (fallback.empty() ? ", 不用" : ", 用默认值 " + fallback));
        }
    }
    diagnostics.sortByLine();
    return s;
}

std::string RebarSettingsText(const RebarSettings& s) {
    std::string out = "// Talvor 桩身配筋参数 (参数=值)\n";
    for (const RebarSettingKey& k : RebarSettingKeys())
        out +=
            "// " + std::string(k.title) + "\n" + k.key + "=" + RebarSettingText(s, k.key) + "\n";
    return out;
}

int WriteRebarSettings(const std::string& path, const RebarSettings& s) {
    return writeFileAtomically(path, utf8ToGbk(RebarSettingsText(s)));
}
