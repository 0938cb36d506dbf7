// The AutoCAD colour index: 1-9 named colours, 10-249 hues in steps of 15°
// with five shades each in full and half saturation, 250-255 greys.
#include "render/AciPalette.h"

namespace {

QColor standardColor(int aci) {
    switch (aci) {
        case 1:
            return QColor(255, 0, 0);
        case 2:
            return QColor(200, 160, 0);  // yellow, darkened for a white ground
        case 3:
            return QColor(0, 170, 0);  // green, likewise
        case 4:
            return QColor(0, 170, 190);  // cyan, likewise
        case 5:
            return QColor(0, 0, 255);
        case 6:
            return QColor(200, 0, 200);
        case 8:
            return QColor(128, 128, 128);
        case 9:
            return QColor(192, 192, 192);
        default:
            return QColor(0, 0, 0);
    }
}

}  // namespace

QColor aciColor(int aci) {
    if (aci >= 1 && aci <= 9) return standardColor(aci);
    if (aci >= 10 && aci <= 249) {
        int hue = ((aci - 10) / 10) * 15;
        int shade = (aci % 10) / 2;  // 0 brightest … 4 darkest
        static constexpr int kValues[] = {255, 204, 153, 127, 76};
        int saturation = (aci % 2) ? 127 : 255;
        return QColor::fromHsv(hue % 360, saturation, kValues[shade]);
    }
    if (aci >= 250 && aci <= 255) {
        static constexpr int kGreys[] = {51, 91, 132, 173, 214, 240};
        int g = kGreys[aci - 250];
        return QColor(g, g, g);
    }
    return QColor(0, 0, 0);
}
