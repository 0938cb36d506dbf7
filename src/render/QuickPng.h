// PNG bytes of a picture made for speed rather than for the smallest file: a
// drawing painted without antialiasing has only a few exact colours, so it
// goes out as a palette of 1 to 8 bits a pixel; anything else as RGB. The
// report writes several pictures of several megapixels for every
// calculation, so the writer also takes a picture a band of rows at a time:
// a picture painted band by band never has to exist whole.
#pragma once

#include <QImage>

#include <memory>
#include <string>
#include <vector>

// The PNG of image with the resolution it states; empty for a null image or
// when the encoder fails.
std::string quickPngBytes(const QImage& image);

class QuickPngWriter {
  public:
    // A picture of width × height pixels at the stated dots per metre (0 for
    // none) whose colours are all in `palette` (at most 256, alpha ignored);
    // an empty palette writes RGB.
    QuickPngWriter(int width, int height, int dotsPerMetreX, int dotsPerMetreY,
                   const std::vector<QRgb>& palette);
    ~QuickPngWriter();
    QuickPngWriter(const QuickPngWriter&) = delete;
    QuickPngWriter& operator=(const QuickPngWriter&) = delete;

    // The first `rows` rows of `band` (the picture's width) as the picture's
    // next rows: RGB32 colours, or with a palette Grayscale8 bytes that are
    // its indexes. False, and no more rows taken, when a pixel's colour or
    // index is not in the palette or the rows overrun the picture.
    bool addRows(const QImage& band, int rows);
    // The whole picture as one Grayscale8 image of palette indexes, packed
    // over the image's own memory, which the writer holds until it finishes:
    // a picture of megabytes needs no second buffer of megabytes. The same
    // result as addRows(image, height).
    bool addIndexImage(QImage image);
    // The whole PNG once every row was added; empty otherwise.
    std::string finish();

  private:
    struct ColourIndex;
    size_t rowBytes() const;
    unsigned char* nextRow();
    bool indexesOf(const QRgb* pixels, unsigned char* out) const;
    bool packIndexes(const unsigned char* indexes, unsigned char* out) const;
    void subtractLeft(const QRgb* pixels, unsigned char* out) const;
    bool deflateRows();

    int m_width, m_height, m_rowsDone = 0;
    int m_bitDepth = 8;  // per palette index; RGB when there is no palette
    bool m_failed = false;
    std::unique_ptr<ColourIndex> m_colours;   // null for RGB
    std::unique_ptr<unsigned char[]> m_rows;  // the filtered rows, deflated at the end
    QImage m_packedImage;                     // or the image the rows were packed over
    unsigned char* m_data = nullptr;          // where the filtered rows are
    size_t m_rowsUsed = 0;
    std::string m_out;      // the PNG so far
    size_t m_idatType = 0;  // where the IDAT chunk's type is in m_out
};
