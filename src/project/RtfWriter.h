// Writes a report document as RTF: text runs with colour and size in the
// GB2312 character set, pictures as embedded PNG. Rendering a drawing is the
// caller's (it needs the picture renderer); this file only embeds the bytes.
#pragma once

#include "project/ReportDocument.h"

#include <functional>
#include <string>

// Gives the PNG bytes of a picture run (empty when the drawing cannot be read:
// the picture is then left out).
using PictureSource = std::function<std::string(const ReportRun& picture)>;

// The PNG bytes a run already carries (a report read back from RTF).
std::string EmbeddedPicture(const ReportRun& picture);

std::string FormatRtf(const ReportDocument& doc, const PictureSource& pictures);
// Writes the RTF atomically; 1 on success, 0 (old file kept) otherwise.
int WriteRtf(const std::string& path, const ReportDocument& doc, const PictureSource& pictures);
