// Writes a report document as RTF: text runs with colour and size in the
// GB2312 character set, pictures as embedded PNG. Rendering a drawing is the
// caller's (it needs the picture renderer); this file only embeds the bytes.
#pragma once

#include "project/ReportDocument.h"

#include <functional>
#include <string>
#include <string_view>

// Gives the PNG bytes of a picture run (empty when the drawing cannot be read:
// the picture is then left out).
using PictureSource = std::function<std::string(const ReportRun& picture)>;

// The PNG bytes a run already carries (a report read back from RTF).
std::string EmbeddedPicture(const ReportRun& picture);

// What the head of PNG bytes says: the size in pixels and the resolution of
// its pHYs chunk (96 dots per inch, a screen's, when it states none). The
// size is 0 × 0 when the bytes do not start as a PNG does.
struct PngHead {
    int width = 0, height = 0;
    double dpi = 96.0;
};
PngHead ReadPngHead(std::string_view png);

std::string FormatRtf(const ReportDocument& doc, const PictureSource& pictures);
// Writes the RTF atomically; 1 on success, 0 (old file kept) otherwise.
int WriteRtf(const std::string& path, const ReportDocument& doc, const PictureSource& pictures);
