// The run's drawings, drawn by the diagrams subsystem and written as DXF.
#include "run/ResultDrawings.h"

#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"

#include <memory>

int WriteSketchDrawing(const CSlideCalcData& item, const std::string& path) {
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    return sketch ? sketch->Write_MemDxf_To_File(path) : 0;
}

int WriteThrustCurveDrawing(const CSlideCalcData& item, const std::string& path) {
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    if (!sketch) return 0;
    std::unique_ptr<DXF> curve = MakeThrustCurveDrawing(item, *sketch);
    return curve ? curve->Write_MemDxf_To_File(path) : 0;
}
