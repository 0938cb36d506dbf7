// Where a drawing lands in a picture of it: the picture's pixel size for a
// box, keeping the drawing's proportions, and the uniform scale and offset
// that fit the drawing's extent into a rectangle, y up in the drawing and
// down in the picture. PNG, SVG and the drawing view share this arithmetic.
#pragma once

#include "platform/DrawingEntities.h"

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size a picture of the extent gets in a box of maxWidth × maxHeight (at
// least 16 × 16); the whole box for an empty or flat extent.
PictureSize fitPictureSize(const CFRect& extent, int maxWidth, int maxHeight);

// Device = (ox + x·scale, oy − y·scale).
struct PictureFit {
    double scale = 1.0;
    double ox = 0.0, oy = 0.0;
};

// The extent fitted into the rectangle at (left, top) of width × height and
// centred in it. An empty or degenerate extent is taken as at least 1e-6 wide.
PictureFit fitExtent(const CFRect& extent, double left, double top, double width, double height);

// The blank border of a picture: marginRatio of its shorter side.
double pictureMargin(PictureSize size, double marginRatio);
