// libpng with the settings that cost least: rows unfiltered for a palette
// (filters only help photographs), the cheapest filter for RGB, and a deflate
// level whose runs of white compress almost as well as the default's.
#include "render/QuickPng.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// Deflate level 1 with run-length matching: the white of a drawing is long
// runs; the default level takes three to four times as long for a file about
// a fifth smaller.
constexpr int kDeflateLevel = 1;

struct Palette {
    std::vector<png_color> colours;
    std::vector<uint8_t> indexes;  // one per pixel, row after row
    int bitDepth = 8;
};

// The image as palette indexes; false when it has more than 256 colours.
// Pixels of RGB32 are 0xFFRRGGBB, so whole pixels compare.
bool toPalette(const QImage& rgb, Palette& out) {
    std::array<uint32_t, 256> seen{};
    int count = 0;
    const int w = rgb.width(), h = rgb.height();
    out.indexes.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
        uint8_t* to = out.indexes.data() + static_cast<size_t>(y) * w;
        for (int x = 0; x < w;) {
            const uint32_t c = row[x];
            int i = 0;
            while (i < count && seen[i] != c) ++i;
            if (i == count) {
                if (count == 256) return false;
                seen[count++] = c;
            }
            // A drawing is mostly runs of one colour.
            do to[x++] = static_cast<uint8_t>(i);
            while (x < w && row[x] == c);
        }
    }
    for (int i = 0; i < count; ++i)
        out.colours.push_back({static_cast<png_byte>(seen[i] >> 16),
                               static_cast<png_byte>(seen[i] >> 8),
                               static_cast<png_byte>(seen[i])});
    out.bitDepth = count <= 2 ? 1 : count <= 4 ? 2 : count <= 16 ? 4 : 8;
    return true;
}

// One row of indexes packed at the palette's bit depth, leftmost pixel in
// the high bits as PNG wants.
void packRow(const uint8_t* indexes, int width, int bitDepth, std::vector<png_byte>& row) {
    if (bitDepth == 8) {
        row.assign(indexes, indexes + width);
        return;
    }
    const int perByte = 8 / bitDepth;
    row.assign((width + perByte - 1) / perByte, 0);
    png_byte* out = row.data();
    for (int x = 0; x < width; x += perByte, ++out) {
        const int n = std::min(perByte, width - x);
        unsigned byte = 0;
        for (int k = 0; k < n; ++k) byte = (byte << bitDepth) | indexes[x + k];
        *out = static_cast<png_byte>(byte << (bitDepth * (perByte - n)));
    }
}

void appendToString(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void noFlush(png_structp) {}

class PngWriter {
  public:
    PngWriter() {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (m_png) m_info = png_create_info_struct(m_png);
    }
    ~PngWriter() { png_destroy_write_struct(&m_png, m_info ? &m_info : nullptr); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    std::string write(const QImage& rgb);

  private:
    void header(const QImage& rgb, const Palette* palette);
    bool encode(const QImage& rgb, const Palette* palette, std::vector<png_byte>& row);
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    std::string m_out;
};

void PngWriter::header(const QImage& rgb, const Palette* palette) {
    png_set_write_fn(m_png, &m_out, appendToString, noFlush);
    png_set_compression_level(m_png, kDeflateLevel);
    png_set_compression_strategy(m_png, Z_RLE);
    png_set_filter(m_png, 0, palette ? PNG_FILTER_NONE : PNG_FILTER_SUB);
    int type = palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(m_png, m_info, rgb.width(), rgb.height(), palette ? palette->bitDepth : 8, type,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (palette)
        png_set_PLTE(m_png, m_info, palette->colours.data(),
                     static_cast<int>(palette->colours.size()));
    if (rgb.dotsPerMeterX() > 0 && rgb.dotsPerMeterY() > 0)
        png_set_pHYs(m_png, m_info, rgb.dotsPerMeterX(), rgb.dotsPerMeterY(), PNG_RESOLUTION_METER);
    png_write_info(m_png, m_info);
}

std::string PngWriter::write(const QImage& rgb) {
    if (!m_png || !m_info) return {};
    Palette palette;
    const bool indexed = toPalette(rgb, palette);
    std::vector<png_byte> row;
    row.reserve(static_cast<size_t>(rgb.width()) * 3);
    if (!encode(rgb, indexed ? &palette : nullptr, row)) return {};
    return std::move(m_out);
}

// libpng reports errors by jumping back to the setjmp: everything with a
// destructor lives in the caller, none in this frame.
bool PngWriter::encode(const QImage& rgb, const Palette* palette, std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(m_png))) return false;
    header(rgb, palette);
    const int w = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        if (palette) {
            packRow(palette->indexes.data() + static_cast<size_t>(y) * w, w, palette->bitDepth,
                    row);
        } else {
            row.resize(static_cast<size_t>(w) * 3);
            const auto* px = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                row[3 * x] = static_cast<png_byte>(px[x] >> 16);
                row[3 * x + 1] = static_cast<png_byte>(px[x] >> 8);
                row[3 * x + 2] = static_cast<png_byte>(px[x]);
            }
        }
        png_write_row(m_png, row.data());
    }
    png_write_end(m_png, m_info);
    return true;
}

}  // namespace

std::string quickPngBytes(const QImage& image) {
    if (image.isNull()) return {};
    QImage rgb = image.format() == QImage::Format_RGB32
                     ? image
                     : image.convertToFormat(QImage::Format_RGB32);
    PngWriter writer;
    return writer.write(rgb);
}
