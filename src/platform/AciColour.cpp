// The AutoCAD colour index: 1-9 named colours, 10-249 hues in steps of 15°
// with five shades each in full and half saturation, 250-255 greys.
#include "platform/AciColour.h"

#include <cmath>

namespace {

Rgb standardColour(int aci) {
    switch (aci) {
        case 1:
            return {255, 0, 0};
        case 2:
            return {200, 160, 0};  // yellow, darkened for a white ground
        case 3:
            return {0, 170, 0};  // green, likewise
        case 4:
            return {0, 170, 190};  // cyan, likewise
        case 5:
            return {0, 0, 255};
        case 6:
            return {200, 0, 200};
        case 8:
            return {128, 128, 128};
        case 9:
            return {192, 192, 192};
        default:
            return {0, 0, 0};
    }
}

// A 16-bit channel to 8 bits, rounded as x / 257.
uint8_t eightBits(int x) {
    return static_cast<uint8_t>((x + 128 - ((x + 128) >> 8)) >> 8);
}

}  // namespace

// The colour model's sextants, in 16-bit channels with float steps as Qt
// takes them: f the position within the sextant, p, q, t the falling and
// rising channels.
Rgb hsvToRgb(int hue, int saturation, int value) {
    const int v16 = value * 0x101;
    if (saturation == 0) return {eightBits(v16), eightBits(v16), eightBits(v16)};
    constexpr float kMax = 65535.0f;
    const int hue100 = hue * 100;
    const float h = hue100 == 36000 ? 0.0f : hue100 / 6000.0f;
    const float s = (saturation * 0x101) / kMax;
    const float v = v16 / kMax;
    const int i = static_cast<int>(h);
    const float f = h - i;
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - (s * f));
    const float t = v * (1.0f - (s * (1.0f - f)));
    auto c = [&](float x) { return eightBits(static_cast<int>(x * kMax + 0.5f)); };
    switch (i) {
        case 0:
            return {c(v), c(t), c(p)};
        case 1:
            return {c(q), c(v), c(p)};
        case 2:
            return {c(p), c(v), c(t)};
        case 3:
            return {c(p), c(q), c(v)};
        case 4:
            return {c(t), c(p), c(v)};
        default:
            return {c(v), c(p), c(q)};
    }
}

Rgb aciRgb(int aci) {
    if (aci >= 1 && aci <= 9) return standardColour(aci);
    if (aci >= 10 && aci <= 249) {
        int hue = ((aci - 10) / 10) * 15;
        int shade = (aci % 10) / 2;  // 0 brightest … 4 darkest
        static constexpr int kValues[] = {255, 204, 153, 127, 76};
        int saturation = (aci % 2) ? 127 : 255;
        return hsvToRgb(hue % 360, saturation, kValues[shade]);
    }
    if (aci >= 250 && aci <= 255) {
        static constexpr uint8_t kGreys[] = {51, 91, 132, 173, 214, 240};
        uint8_t g = kGreys[aci - 250];
        return {g, g, g};
    }
    return {0, 0, 0};
}
