// The colours are the core's (platform/AciColour.h), as QColor.
#include "render/AciPalette.h"

#include "platform/AciColour.h"

QColor aciColor(int aci) {
    Rgb c = aciRgb(aci);
    return QColor(c.r, c.g, c.b);
}
