// Where a calculation run writes its drawings: the calculation sketch before
// the report, and the residual-thrust curve with the sketch above it after
// the run. The diagrams subsystem draws them.
#pragma once

class CSlideCalcData;
struct WorkContext;

// The calculation sketch of item, written as result entry 0 in the work path
// and kept on the context's shelf. 1 when a file was written.
int WriteSketchDrawing(const CSlideCalcData& item, const WorkContext& ctx);

// The sketch with block numbers, point coordinates, pile rows and the water
// line labelled, written under AnnotatedSketchFileName in the work path and
// kept on the context's shelf. 1 when a file was written.
int WriteAnnotatedSketchDrawing(const CSlideCalcData& item, const WorkContext& ctx);

// The residual-thrust curve of item's last pass, with the sketch inserted 10 m
// above the top of the curve, written as result entry 2 in the work path and
// kept on the context's shelf. 1 when a file was written.
int WriteThrustCurveDrawing(const CSlideCalcData& item, const WorkContext& ctx);
