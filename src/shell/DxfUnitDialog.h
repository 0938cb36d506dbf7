// The units dialog "确定Dxf图单位" of the DXF import: the drawing's unit and
// its factor to metres.
#pragma once

class QWidget;

// Asks for the unit; false when cancelled, else the factor in *factor.
bool askDrawingUnit(QWidget* parent, float* factor);
