// PNG bytes of a picture made for speed rather than for the smallest file: a
// drawing painted without antialiasing has only a few exact colours, so it
// goes out as a palette of 1 to 8 bits a pixel; anything else as RGB. The
// report writes three pictures of several megapixels for every calculation.
#pragma once

#include <QImage>

#include <string>

// The PNG of image with the resolution it states; empty for a null image or
// when the encoder fails.
std::string quickPngBytes(const QImage& image);
