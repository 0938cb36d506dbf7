// Reads back the RTF that RtfWriter writes (and RTF close to it): text runs
// with colour and size, and embedded PNG pictures. Also the probe that decides
// whether a report file is RTF or plain text.
#pragma once

#include "project/ReportDocument.h"

#include <optional>
#include <string>
#include <string_view>

// The runs of an RTF text; nothing when it does not start with "{\rtf" or its
// groups do not balance.
std::optional<ReportDocument> ParseRtf(std::string_view bytes);

// A report file as the report view loads it: RTF when its first five bytes are
// "{\rtf", else plain text (GBK or UTF-8) as one run with its directives still
// in it. Nothing when the file cannot be read; why (when given) then says why
// a file that exists was not read.
std::optional<ReportDocument> LoadReport(const std::string& path, std::string* why = nullptr);

// The text of a report file's bytes as the report view shows it once its
// directives are expanded, without pictures: RTF read back, or text (GBK or
// UTF-8) with its directives expanded. Empty for RTF that does not parse.
std::string ReportPlainText(std::string_view bytes);
