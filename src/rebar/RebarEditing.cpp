#include "rebar/RebarEditing.h"

#include "platform/InputDiagnostics.h"
#include "platform/RebarSettingsFile.h"
#include "platform/ReportWriter.h"
#include "rebar/RebarSettings.h"
#include "rebar/SectionDesign.h"
#include "rebar/SectionDesignText.h"
#include "rebar/SectionInputKeys.h"

#include <algorithm>
#include <filesystem>

SectionCheck CheckSection(const std::map<std::string, std::string>& values, bool csv) {
    SectionCheck check;
    SectionDesignInput in;
    for (const auto& [key, value] : values)
        if (!SetSectionInput(in, key, value, &check.why)) return check;
    if (!SectionInputComplete(in, &check.why)) return check;
    const SectionDesign d = DesignSection(in);
    if (csv) {
        check.text = SectionDesignCsv(d);
    } else {
        ReportWriter out;
        WriteSectionDesign(d, out);
        check.text = out.utf8();
    }
    check.status = d.status == SectionStatus::Refused ? 2 : d.status == SectionStatus::Ok ? 0 : 1;
    return check;
}

std::vector<std::string> ApplyRebarSettingTexts(RebarSettings& s,
                                                const std::vector<std::string>& sets,
                                                std::vector<std::string>& taken) {
    std::vector<std::string> refused;
    for (const std::string& arg : sets) {
        const size_t eq = arg.find('=');
        std::string why = "格式应为 参数=值";
        if (eq != std::string::npos &&
            SetRebarSetting(s, arg.substr(0, eq), arg.substr(eq + 1), &why)) {
            taken.push_back(arg.substr(0, eq));
            continue;
        }
        refused.push_back("--set " + arg + ": " + why + ", 已拒绝");
    }
    return refused;
}

bool RebarSettingsMayBeWritten(const InputDiagnostics& read,
                               const std::vector<std::string>& taken) {
    return std::all_of(read.items().begin(), read.items().end(), [&](const InputDiagnostic& d) {
        return std::find(taken.begin(), taken.end(), d.field) != taken.end();
    });
}

std::vector<std::string> RebarSettingLines(const RebarSettings& s) {
    std::vector<std::string> lines;
    for (const RebarSettingKey& k : RebarSettingKeys())
        lines.push_back(std::string(k.key) + "=" + RebarSettingText(s, k.key) + "\t" + k.title);
    return lines;
}

RebarSettingsEdit EditRebarSettings(const std::string& itemPath,
                                    const std::vector<std::string>& sets, bool write) {
    RebarSettingsEdit out;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(itemPath, ec)) {
        out.outcome = RebarSettingsOutcome::NoItem;
        return out;
    }
    out.path = RebarSettingsPathOf(itemPath);
    InputDiagnostics diagnostics;
    RebarSettings s = ReadRebarSettings(out.path, diagnostics);
    for (const InputDiagnostic& d : diagnostics.items()) out.told.push_back(diagnostics.text(d));
    std::vector<std::string> taken;
    const std::vector<std::string> refused = ApplyRebarSettingTexts(s, sets, taken);
    out.told.insert(out.told.end(), refused.begin(), refused.end());
    out.allTaken = refused.empty();
    out.lines = RebarSettingLines(s);
    if (!write) return out;
    if (!RebarSettingsMayBeWritten(diagnostics, taken))
        out.outcome = RebarSettingsOutcome::KeptFaulty;
    else if (!WriteRebarSettings(out.path, s))
        out.outcome = RebarSettingsOutcome::NotWritten;
    return out;
}
