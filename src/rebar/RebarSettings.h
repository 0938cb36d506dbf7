// The reinforcement settings of one item, kept in a small file of key=value
// lines beside its data file (see platform/RebarSettingsFile.h) so that the
// data file itself never changes. An absent file means the defaults; a damaged
// one is read line by line, each fault told with file, line, key and text, and
// the faulty value left at its default.
#pragma once

#include <string>
#include <vector>

class InputDiagnostics;

struct RebarSettings {
    std::string bar = "HRB400";      // longitudinal bars
    std::string stirrup = "HRB400";  // stirrups
    double cover = 60.0;             // mm, to the stirrup's outer face
    double gamma0 = 1.0;             // importance factor
    double gammaF = 1.35;            // load factor on the characteristic forces
    double crackLimit = 0.2;         // mm
    double leastClear = 50.0;        // mm, between bars (concrete placed in a hole)
    double price = 4500.0;           // yuan per tonne of steel

    bool operator==(const RebarSettings&) const = default;
};

struct RebarSettingKey {
    const char* key;
    const char* title;  // the engineer's name for it, with its unit
};

// The keys in the order of the file and the dialog.
const std::vector<RebarSettingKey>& RebarSettingKeys();

// The value of one key as the file writes it; empty for an unknown key.
std::string RebarSettingText(const RebarSettings& s, const std::string& key);

// Sets one key from its text; false, with the reason in *why and s unchanged,
// for an unknown key or a value that does not read or lies outside its range.
bool SetRebarSetting(RebarSettings& s, const std::string& key, const std::string& value,
                     std::string* why);

// The settings of the file at path: defaults where it has nothing usable.
RebarSettings ReadRebarSettings(const std::string& path, InputDiagnostics& diagnostics);

// The file's text (UTF-8): a comment head and one line per key.
std::string RebarSettingsText(const RebarSettings& s);

// Writes the file in GBK through the atomic writer; 1 on success.
int WriteRebarSettings(const std::string& path, const RebarSettings& s);
