// Filling the slip surface, slope surface and water line of a calculation
// record from a drawing: polylines recognised by colour (yellow, green, blue),
// scaled to metres and measured from the start of the slip surface. A scan
// tells what a drawing holds before anything changes, so that the user can
// look at the lines first; the import is the scan taken over.
#pragma once

#include "data/CSlideCalcData.h"

#include <array>
#include <string>
#include <vector>

class MessageSink;
class StatusSink;

struct DxfImportSummary {
    bool readable = false;  // the drawing reader could read the file
    bool slip = false;
    bool slope = false;
    bool water = false;
    bool anyLine() const { return slip || slope || water; }
};

// The three lines in the order of their colours: slip yellow, slope green,
// water blue.
enum class SectionLine { Slip, Slope, Water };
inline constexpr int kSectionLines = 3;

// The polylines of one line's colour: the last one is the one taken.
struct DxfLineScan {
    int polylines = 0;  // of this colour, in the whole drawing
    int vertices = 0;   // of the one taken, as drawn
    int segments = 0;   // it gives, at most 100
    bool found() const { return polylines > 0; }
};

struct DxfSectionScan {
    bool readable = false;
    // Why a drawing that parsed was refused (its block insertions expand past
    // the reader's limits); empty when the file is no readable DXF at all.
    std::string refusal;
    std::array<DxfLineScan, kSectionLines> lines{};
    // Polylines passed over: those that take their colour from their layer
    // (how many of them lie on a yellow, green or blue layer), and those of
    // any other colour of their own.
    int byLayer = 0;
    int byLayerOnLineColour = 0;
    int otherColour = 0;
    // The record as the import leaves it; equal to the record scanned when
    // the drawing holds none of the three lines.
    CSlideCalcData result;

    const DxfLineScan& line(SectionLine l) const { return lines[static_cast<int>(l)]; }
    bool anyLine() const;
};

// Reads the drawing and works out what the import would make of `record`;
// the record itself stays as it is. The unit factor turns drawing units into
// metres.
DxfSectionScan ScanSectionLines(const CSlideCalcData& record, const std::string& path,
                                float unitFactor);
// Takes the lines a scan found over into the record (only the fields the
// import writes); nothing when it found none.
DxfImportSummary TakeSectionLines(CSlideCalcData& record, const DxfSectionScan& scan);
// What the scan found, one line of text each, for the user to read before
// the record changes: each line with its segments, the polylines ignored and
// why.
std::vector<std::string> DescribeSectionScan(const DxfSectionScan& scan);

// Reads the drawing at path and writes the lines found into the record; the
// unit factor turns drawing units into metres. An unreadable file is reported
// through the message sink and leaves the record unchanged.
DxfImportSummary ImportSectionLines(CSlideCalcData& record, const std::string& path,
                                    float unitFactor, MessageSink& messages);

// The message for a file the drawing reader cannot read.
inline constexpr const char* kDxfUnreadable = "读取DXF失败，请保存为R12版本的DXF再试!";
// What to tell for an unreadable scan: the reader's reason for a drawing it
// refused, else the advice to save as R12, which is for files it cannot parse.
std::string DxfUnreadableMessage(const DxfSectionScan& scan);

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

// The import into an item's data file, as `talvor-cli import-dxf` does.
enum class ItemFileImport {
    Imported,
    BadUnit,            // not m, mm, cm, nor a factor above 0 and at most 1000000
    ItemUnreadable,     // told to messages
    ItemGuessed,        // read with guesses (told): rewriting would make them permanent
    DrawingUnreadable,  // told to messages
    NoLines,            // no yellow, green or blue polyline: nothing changed
    NotWritten,         // the data file could not be written back
};
struct ItemFileImported {
    ItemFileImport outcome = ItemFileImport::BadUnit;
    DxfImportSummary found;
};
// Reads the item file, imports the drawing's lines in the unit given and
// writes the file back; what the reading found is told to status.
ItemFileImported ImportIntoItemFile(const std::string& itemPath, const std::string& drawing,
                                    const std::string& unit, StatusSink& status,
                                    MessageSink& messages);

// The instructions shown before the import asks whether to go on.
std::string DxfImportInstructions();
