// Cutting a segment to a rectangle (Liang–Barsky), so that the stroke raster
// walks only the part of a stroke that it covers, however far the stroke runs
// beyond the view.
#pragma once

#include <QPointF>
#include <QRectF>

// Cuts a–b to `box`; false when nothing of it lies inside, or for NaN or
// infinite ends.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& box);
