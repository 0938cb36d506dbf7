// The result file beside an item's report: the run's figures as key=value
// lines under a version line, so that the project summary takes an item's
// figures without running it again. One table of fields writes the file and
// reads it; a file of another version, with a line the table does not know,
// without a field, or written for other input than the item's now is not
// read at all.
#pragma once

#include "run/RunResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CSlideCalcData;

// A result file is a few hundred bytes; anything this large is not one.
inline constexpr std::uint64_t kMaxResultFileBytes = 1024 * 1024;

// "<report name without extension>_RESULT.TXT", beside the report.
std::string RunResultFileName(const CSlideCalcData& item);

// A mark of everything the report head echoes of the item: equal marks mean
// the run that wrote a result file had the item as it stands.
std::string RunInputMark(const CSlideCalcData& item);

std::string RunResultText(const RunResult& result, const std::string& inputMark);

// The result the text holds when it is of this version and inputMark.
std::optional<RunResult> ParseRunResult(std::string_view text, const std::string& inputMark);
