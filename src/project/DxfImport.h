// Filling the slip surface, slope surface and water line of a calculation
// record from a drawing: polylines recognised by colour (yellow, green, blue),
// scaled to metres and measured from the start of the slip surface.
#pragma once

#include <string>

class CSlideCalcData;
class MessageSink;

struct DxfImportSummary {
    bool readable = false;  // the drawing reader could read the file
    bool slip = false;
    bool slope = false;
    bool water = false;
    bool anyLine() const { return slip || slope || water; }
};

// Reads the drawing at path and writes the lines found into the record; the
// unit factor turns drawing units into metres. An unreadable file is reported
// through the message sink and leaves the record unchanged.
DxfImportSummary ImportSectionLines(CSlideCalcData& record, const std::string& path,
                                    float unitFactor, MessageSink& messages);

// The units the import offers and their factors to metres ("其他单位" lets the
// user type the factor, 0 to 1000000).
struct DrawingUnit {
    const char* name;
    float factor;
};
inline constexpr DrawingUnit kDrawingUnits[] = {
    {"m", 1.0f}, {"mm", 0.001f}, {"cm", 0.01f}, {"其他单位", 1.0f}};
inline constexpr float kMaxUnitFactor = 1000000.0f;

// "m", "mm", "cm" or a number within 0..1000000; false for anything else.
bool ParseDrawingUnit(const std::string& text, float* factor);

// The instructions shown before the import asks whether to go on.
std::string DxfImportInstructions();
