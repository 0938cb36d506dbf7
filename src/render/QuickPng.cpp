// PNG chunks written here, the image data deflated by libdeflate at level 2:
// for the long runs of a drawing it is three times as fast as zlib's fastest
// setting and its output a quarter smaller, and on the packed rows of a
// drawing both faster and smaller than libdeflate's level 1, whose quicker
// match finder gives shorter matches. Rows go unfiltered
// for a palette (filters only help photographs), with the cheapest filter for
// RGB.
#include "render/QuickPng.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kDeflateLevel = 2;

void put32(std::string& out, uint32_t v) {
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

uint32_t crcOf(const std::string& out, size_t from) {
    return libdeflate_crc32(0, out.data() + from, out.size() - from);
}

void appendChunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.append(type, 4);
    out += data;
    put32(out, crcOf(out, start));
}

}  // namespace

// Palette indexes by colour: a small open-addressed table, as a picture may
// change colour at every pixel.
struct QuickPngWriter::ColourIndex {
    static constexpr unsigned kSlots = 512;
    std::array<QRgb, kSlots> colour{};
    std::array<int16_t, kSlots> index{};
    int count = 0;

    ColourIndex() { index.fill(-1); }
    static unsigned slotOf(QRgb c) { return (c * 2654435761u) >> 23; }
    void add(QRgb c) {
        unsigned s = slotOf(c);
        while (index[s] >= 0 && colour[s] != c) s = (s + 1) % kSlots;
        if (index[s] < 0) colour[s] = c, index[s] = static_cast<int16_t>(count++);
    }
    int find(QRgb c) const {
        for (unsigned s = slotOf(c); index[s] >= 0; s = (s + 1) % kSlots)
            if (colour[s] == c) return index[s];
        return -1;
    }
};

QuickPngWriter::QuickPngWriter(int width, int height, int dotsPerMetreX, int dotsPerMetreY,
                               const std::vector<QRgb>& palette)
    : m_width(width), m_height(height) {
    if (width <= 0 || height <= 0 || palette.size() > 256) {
        m_failed = true;
        return;
    }
    std::string plte;
    if (!palette.empty()) {
        m_colours = std::make_unique<ColourIndex>();
        for (QRgb c : palette) {
            m_colours->add(c | 0xFF000000u);
            plte += static_cast<char>(qRed(c));
            plte += static_cast<char>(qGreen(c));
            plte += static_cast<char>(qBlue(c));
        }
        size_t n = palette.size();
        m_bitDepth = n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
    }
    // The filtered picture is held whole for deflate: allocated at once, as
    // growing it would copy it again and again, and never cleared, as every
    // byte is written.
    m_rows = std::make_unique_for_overwrite<unsigned char[]>(static_cast<size_t>(height) *
                                                             (1 + rowBytes()));
    m_data = m_rows.get();
    m_out = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    put32(ihdr, static_cast<uint32_t>(width));
    put32(ihdr, static_cast<uint32_t>(height));
    ihdr += static_cast<char>(m_bitDepth);
    ihdr += static_cast<char>(m_colours ? 3 : 2);  // palette or RGB
    ihdr.append(3, '\0');                          // deflate, adaptive filters, no interlace
    appendChunk(m_out, "IHDR", ihdr);
    if (dotsPerMetreX > 0 && dotsPerMetreY > 0) {
        std::string phys;
        put32(phys, static_cast<uint32_t>(dotsPerMetreX));
        put32(phys, static_cast<uint32_t>(dotsPerMetreY));
        phys += '\1';  // per metre
        appendChunk(m_out, "pHYs", phys);
    }
    if (m_colours) appendChunk(m_out, "PLTE", plte);
    // IDAT's length is filled in when the data is complete.
    put32(m_out, 0);
    m_idatType = m_out.size();
    m_out += "IDAT";
}

QuickPngWriter::~QuickPngWriter() = default;

// One row with its filter byte: palette indexes packed at the bit depth,
// leftmost pixel in the high bits, or RGB bytes less their left neighbour.
size_t QuickPngWriter::rowBytes() const {
    return m_colours ? (static_cast<size_t>(m_width) * m_bitDepth + 7) / 8
                     : static_cast<size_t>(m_width) * 3;
}

unsigned char* QuickPngWriter::nextRow() {
    unsigned char* row = m_data + m_rowsUsed;
    m_rowsUsed += 1 + rowBytes();
    return row;
}

void QuickPngWriter::subtractLeft(const QRgb* px, unsigned char* out) const {
    *out++ = 1;  // Sub
    int left[3] = {0, 0, 0};
    for (int x = 0; x < m_width; ++x) {
        const int c[3] = {qRed(px[x]), qGreen(px[x]), qBlue(px[x])};
        for (int k = 0; k < 3; ++k) *out++ = static_cast<unsigned char>(c[k] - left[k]);
        std::copy(c, c + 3, left);
    }
}

// A drawing is mostly long runs of one colour: each run is looked up once.
bool QuickPngWriter::indexesOf(const QRgb* px, unsigned char* out) const {
    for (int x = 0; x < m_width;) {
        const QRgb c = px[x] | 0xFF000000u;
        const int i = m_colours->find(c);
        if (i < 0) return false;
        int end = x + 1;
        while (end < m_width && (px[end] | 0xFF000000u) == c) ++end;
        std::memset(out + x, i, static_cast<size_t>(end - x));
        x = end;
    }
    return true;
}

// Palette indexes packed at the bit depth, leftmost pixel in the high bits;
// the whole bytes of a run are set at once.
bool QuickPngWriter::packIndexes(const unsigned char* index, unsigned char* out) const {
    *out++ = 0;  // None
    const int count = m_colours->count;
    if (m_bitDepth == 8) {
        std::memcpy(out, index, static_cast<size_t>(m_width));
        return *std::max_element(index, index + m_width) < count;
    }
    if (m_bitDepth == 4) {
        // Two pixels a byte in a loop the compiler vectorises.
        unsigned char top = 0;
        const int pairs = m_width / 2;
        for (int k = 0; k < pairs; ++k) {
            const unsigned char a = index[2 * k], b = index[2 * k + 1];
            out[k] = static_cast<unsigned char>(a << 4 | b);
            top = std::max(top, std::max(a, b));
        }
        if (m_width % 2) {
            out[pairs] = static_cast<unsigned char>(index[m_width - 1] << 4);
            top = std::max(top, index[m_width - 1]);
        }
        return top < count;
    }
    const int depth = m_bitDepth, perByte = 8 / depth;
    unsigned byte = 0;
    int filled = 0;
    auto push = [&](unsigned i) {
        byte = (byte << depth) | i;
        if (++filled == perByte) *out++ = static_cast<unsigned char>(byte), byte = 0, filled = 0;
    };
    for (int x = 0; x < m_width;) {
        const unsigned i = index[x];
        if (static_cast<int>(i) >= count) return false;
        int end = x + 1;
        while (end < m_width && index[end] == i) ++end;
        int n = end - x;
        for (; n > 0 && filled > 0; --n) push(i);
        if (const int whole = n / perByte; whole > 0) {
            unsigned pattern = i;
            for (int k = 1; k < perByte; ++k) pattern = (pattern << depth) | i;
            std::memset(out, static_cast<int>(pattern), static_cast<size_t>(whole));
            out += whole;
            n -= whole * perByte;
        }
        for (; n > 0; --n) push(i);
        x = end;
    }
    if (filled > 0) *out = static_cast<unsigned char>(byte << (depth * (perByte - filled)));
    return true;
}

// The filtered rows deflated in one piece, in zlib's wrapping, after the
// IDAT chunk's type.
bool QuickPngWriter::deflateRows() {
    std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> compressor(
        libdeflate_alloc_compressor(kDeflateLevel), libdeflate_free_compressor);
    if (!compressor) return false;
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), m_rowsUsed);
    auto deflated = std::make_unique_for_overwrite<char[]>(bound);
    const size_t n =
        libdeflate_zlib_compress(compressor.get(), m_data, m_rowsUsed, deflated.get(), bound);
    m_out.append(deflated.get(), n);
    m_rows.reset();
    m_packedImage = QImage();
    m_data = nullptr;
    return n > 0;
}

bool QuickPngWriter::addRows(const QImage& band, int rows) {
    const bool indexed = band.format() == QImage::Format_Grayscale8;
    if (m_failed || rows < 0 || m_rowsDone + rows > m_height || band.width() != m_width ||
        rows > band.height() || !(band.format() == QImage::Format_RGB32 || indexed) ||
        (indexed && !m_colours)) {
        m_failed = true;
        return false;
    }
    std::vector<unsigned char> looked(indexed || !m_colours ? 0 : static_cast<size_t>(m_width));
    for (int y = 0; y < rows && !m_failed; ++y) {
        const uchar* line = band.constScanLine(y);
        const auto* px = reinterpret_cast<const QRgb*>(line);
        if (!m_colours)
            subtractLeft(px, nextRow());
        else if (indexed)
            m_failed = !packIndexes(line, nextRow());
        else
            m_failed = !indexesOf(px, looked.data()) || !packIndexes(looked.data(), nextRow());
    }
    m_rowsDone += rows;
    return !m_failed;
}

bool QuickPngWriter::addIndexImage(QImage image) {
    const size_t packed = 1 + rowBytes();
    if (m_failed || m_rowsDone != 0 || image.format() != QImage::Format_Grayscale8 ||
        image.size() != QSize(m_width, m_height) || !m_colours || m_bitDepth == 8 ||
        packed > static_cast<size_t>(image.bytesPerLine()))
        return addRows(image, image.height());
    // Packed row y lies before source row y + 1, so each row is read before
    // it is overwritten; only where it overlaps its own source row (the first
    // rows) does it go through a row of its own.
    unsigned char* base = image.bits();
    const size_t stride = static_cast<size_t>(image.bytesPerLine());
    std::vector<unsigned char> own(packed);
    for (size_t y = 0; y < static_cast<size_t>(m_height) && !m_failed; ++y) {
        unsigned char* to = base + y * packed;
        const bool overlaps = y * packed + packed > y * stride;
        m_failed = !packIndexes(base + y * stride, overlaps ? own.data() : to);
        if (overlaps) std::memcpy(to, own.data(), packed);
    }
    if (m_failed) return false;
    m_rows.reset();
    m_packedImage = std::move(image);
    m_data = base;
    m_rowsUsed = packed * static_cast<size_t>(m_height);
    m_rowsDone = m_height;
    return true;
}

std::string QuickPngWriter::finish() {
    if (m_failed || m_rowsDone != m_height || !deflateRows()) return {};
    m_failed = true;  // finished: no more rows
    const size_t length = m_out.size() - m_idatType - 4;
    for (int k = 0; k < 4; ++k)
        m_out[m_idatType - 4 + k] = static_cast<char>(length >> (24 - 8 * k));
    put32(m_out, crcOf(m_out, m_idatType));
    appendChunk(m_out, "IEND", {});
    return std::move(m_out);
}

namespace {

// The colours of an image, when there are at most 256 of them.
bool coloursOf(const QImage& rgb, std::vector<QRgb>& colours) {
    const int w = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < w;) {
            const QRgb c = row[x];
            if (std::find(colours.begin(), colours.end(), c) == colours.end()) {
                if (colours.size() == 256) return false;
                colours.push_back(c);
            }
            while (++x < w && row[x] == c) {
            }
        }
    }
    return true;
}

}  // namespace

std::string quickPngBytes(const QImage& image) {
    if (image.isNull()) return {};
    QImage rgb = image.format() == QImage::Format_RGB32
                     ? image
                     : image.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> palette;
    if (!coloursOf(rgb, palette)) palette.clear();
    QuickPngWriter writer(rgb.width(), rgb.height(), rgb.dotsPerMeterX(), rgb.dotsPerMeterY(),
                          palette);
    writer.addRows(rgb, rgb.height());
    return writer.finish();
}
