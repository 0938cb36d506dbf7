// The physical ranges of the input: values a program reads without complaint
// but no slope has (a negative cohesion, a friction angle of 95°, a pile of
// 2 cm typed in metres, a pile row in the air). One list serves the tables of
// the desktop program, talvor-cli table and the checks of a data file read;
// a value outside its range is a warning, never a change of the value.
#pragma once

#include <string>
#include <vector>

class CSlideCalcData;
class InputDiagnostics;

struct RangeFinding {
    const void* field = nullptr;  // the value in the record checked
    std::string name;             // as the data-file diagnostics name it: "slip[3].c"
    std::string found;            // the value as the tables show it
    std::string message;          // what is wrong, naming the value and its unit
};

// Findings of the values the item uses under its control choices (a cohesion
// being back-calculated, a berm not used, a pile kind beyond the candidates
// are not checked), in the order of the data file.
std::vector<RangeFinding> CheckInputRanges(const CSlideCalcData& item);

// The findings as diagnostics of the file the item was read from (line 0,
// the field's name), to be told beside what the reader had to guess; they
// are kept apart from those, as a value out of range was read as written.
void AddRangeDiagnostics(const CSlideCalcData& item, InputDiagnostics& diagnostics);

// The x of the slip surface's first and last point (m): the extent a pile row
// or a berm must lie in to act on the sliding mass.
struct SlipExtent {
    float toe = 0.0f;
    float crest = 0.0f;
};
SlipExtent SlipSurfaceExtent(const CSlideCalcData& item);

// A pile's width across the slope (m) as the resistance of the soil uses it:
// the diameter or side of a round or square pile, the given width of another
// section; 0 for a rail, whose size is a type in kg/m.
float PileWidth(const CSlideCalcData& item, int kind);

// The unit of a pile kind's size cell (column 1 or 2 of its sizes), as its
// section reads it: "cm", "cm4", "kg/m", or empty where the cell shows "---".
std::string PileSizeUnit(const CSlideCalcData& item, int kind, int size);
