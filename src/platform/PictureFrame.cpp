#include "platform/PictureFrame.h"

#include <algorithm>
#include <cmath>

PictureSize fitPictureSize(const CFRect& r, int maxWidth, int maxHeight) {
    int maxW = std::max(16, maxWidth), maxH = std::max(16, maxHeight);
    if (r.empty || !(r.width() > 0.0f) || !(r.height() > 0.0f)) return {maxW, maxH};
    double aspect = static_cast<double>(r.width()) / r.height();
    if (aspect >= static_cast<double>(maxW) / maxH)
        return {maxW, std::max(16, static_cast<int>(std::lround(maxW / aspect)))};
    return {std::max(16, static_cast<int>(std::lround(maxH * aspect))), maxH};
}

PictureFit fitExtent(const CFRect& r, double left, double top, double width, double height) {
    double w = std::max<double>(r.width(), 1e-6), h = std::max<double>(r.height(), 1e-6);
    double scale = std::min(width / w, height / h);
    double cx = (r.p1.x + r.p2.x) / 2.0, cy = (r.p1.y + r.p2.y) / 2.0;
    return {scale, left + width / 2.0 - cx * scale, top + height / 2.0 + cy * scale};
}

double pictureMargin(PictureSize size, double marginRatio) {
    return std::min(size.width, size.height) * marginRatio;
}
