// Where an item's reinforcement settings lie: beside its data file, under the
// data file's name with the extension ".PJ" ("&TLVR_0005.DAT" keeps
// "&TLVR_0005.PJ", "坡体.TV" keeps "坡体.PJ"). The file moves with the item's
// other files; the templates keep theirs the same way.
#pragma once

#include <string>

inline constexpr const char* kRebarSettingsExtension = ".PJ";

// The settings file of the data file at dataPath, found case-insensitively
// when one exists.
std::string RebarSettingsPathOf(const std::string& dataPath);

// Gives the data file at toDataPath the settings of the one at fromDataPath:
// copied when there are any (an empty fromDataPath has none), else the
// target's own removed, so that a reused number never keeps old settings. 1 on success, 0 when a
// file could not be written or removed.
int CopyRebarSettings(const std::string& fromDataPath, const std::string& toDataPath);
