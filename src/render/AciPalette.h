// AutoCAD colour numbers as screen colours for pictures on a white ground.
#pragma once

#include <QColor>

// The colour of AutoCAD colour number `aci` (1..255) drawn on white: 7, white
// on a dark CAD screen, is black here, and yellow (2) is darkened to stay
// readable. "By layer", "by block" and numbers out of range give black.
QColor aciColor(int aci);
