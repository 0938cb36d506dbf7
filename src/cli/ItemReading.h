// Reading an item data file for a subcommand: what the reader had to guess is
// told on stderr, and an unreadable file is named there.
#pragma once

#include <string>

class CSlideCalcData;
class InputDiagnostics;

// 1 when the file was read into item; its diagnostics are in `diagnostics`.
int readItemFile(const std::string& path, CSlideCalcData& item, InputDiagnostics& diagnostics);
