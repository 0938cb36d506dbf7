// The run's drawings, drawn by the diagrams subsystem and written as DXF.
#include "run/ResultDrawings.h"

#include "data/CSlideCalcData.h"
#include "diagrams/AnnotatedSketch.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/DrawingShelf.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"

#include <memory>

int WriteSketchDrawing(const CSlideCalcData& item, const WorkContext& ctx) {
    return writeResultDrawing(MakeSketchDrawing(item), ctx.G_strWorkPath,
                              item.GetDxfFileName(kResultSketch), ctx.drawings);
}

int WriteAnnotatedSketchDrawing(const CSlideCalcData& item, const WorkContext& ctx) {
    return writeResultDrawing(MakeAnnotatedSketchDrawing(item), ctx.G_strWorkPath,
                              AnnotatedSketchFileName(item), ctx.drawings);
}

int WriteThrustCurveDrawing(const CSlideCalcData& item, const WorkContext& ctx) {
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    if (!sketch) return 0;
    return writeResultDrawing(MakeThrustCurveDrawing(item, *sketch), ctx.G_strWorkPath,
                              item.GetDxfFileName(kResultCurve), ctx.drawings);
}
