// Reinforcement worked from text, as `talvor-cli rebar` does: one pile
// section checked from key=value inputs, and an item's settings shown and
// changed by "KEY=VALUE" texts.
#pragma once

#include <map>
#include <string>
#include <vector>

class InputDiagnostics;
struct RebarSettings;

struct SectionCheck {
    int status = 2;    // 0 the section works, 1 it does not, 2 the input was refused
    std::string text;  // the report's section text, or a CSV head and line
    std::string why;   // why the input was refused
};

// Designs the section given by values (keys of SetSectionInput).
SectionCheck CheckSection(const std::map<std::string, std::string>& values, bool csv);

// Applies "KEY=VALUE" texts in order; the keys taken are added to taken, and
// each text refused gives a line "--set TEXT: why, 已拒绝".
std::vector<std::string> ApplyRebarSettingTexts(RebarSettings& s,
                                                const std::vector<std::string>& sets,
                                                std::vector<std::string>& taken);

// Settings read with faults may be written back only when every faulty value
// was set anew: the reader's replacement is not what the engineer wrote.
bool RebarSettingsMayBeWritten(const InputDiagnostics& read, const std::vector<std::string>& taken);

// "key=value\ttitle" for each setting.
std::vector<std::string> RebarSettingLines(const RebarSettings& s);

// An item's settings edited as `talvor-cli rebar ITEM --set ... [--write]`
// does: read from beside the item, the texts applied in order, and written
// back when asked and allowed.
enum class RebarSettingsOutcome {
    Done,        // shown, and written when asked
    NoItem,      // the item's data file is not there: nothing read
    KeptFaulty,  // read with faults not all set anew: not written over
    NotWritten,  // the file could not be written
};
struct RebarSettingsEdit {
    RebarSettingsOutcome outcome = RebarSettingsOutcome::Done;
    std::string path;                // the settings file
    std::vector<std::string> told;   // the reader's faults, then each text refused
    std::vector<std::string> lines;  // RebarSettingLines after the texts
    bool allTaken = true;            // no text was refused
};
RebarSettingsEdit EditRebarSettings(const std::string& itemPath,
                                    const std::vector<std::string>& sets, bool write);
