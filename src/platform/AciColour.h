// AutoCAD colour numbers as screen colours for pictures on a white ground,
// without any graphics library: the desktop's pictures and the web edition's
// SVG take their colours from here.
#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour of AutoCAD colour number `aci` (1..255) drawn on white: 7, white
// on a dark CAD screen, is black here, and yellow (2) is darkened to stay
// readable. "By layer", "by block" and numbers out of range give black.
Rgb aciRgb(int aci);

// Hue 0..359 degrees, saturation and value 0..255, to RGB rounded as Qt's
// QColor::fromHsv rounds it, so that both kinds of picture show one colour.
Rgb hsvToRgb(int hue, int saturation, int value);
