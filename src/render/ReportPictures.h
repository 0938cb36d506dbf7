// The pictures of a report: drawings named by "InsertDxf=" and picture files,
// each sized to the printed text area of an A4 page with one-inch margins and
// painted at print resolution, so that a printed or PDF report is as sharp as
// its drawings. On screen the same pictures are painted at screen size.
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTextImageFormat>
#include <QVariant>

#include <map>
#include <memory>
#include <string>

class DXF;
class DrawingShelf;
class QTextDocument;
class QUrl;

namespace reportpage {
inline constexpr double kPrintDpi = 300.0;
inline constexpr double kLayoutDpi = 96.0;  // the unit of a document laid out for the screen
// A4 less two inches, in inches.
inline constexpr double kTextWidthIn = 210.0 / 25.4 - 2.0;
inline constexpr double kTextHeightIn = 297.0 / 25.4 - 2.0;
// A tall picture fills the page's height but for the room of two lines, so
// that it still fits one page with the line it stands on.
inline constexpr double kPictureHeightIn = kTextHeightIn - 0.3;
}  // namespace reportpage

// The drawing fitted into the picture box at print resolution, on white; the
// image states its resolution. Null for an empty drawing. At that resolution a
// stroke is several dots wide, so it is painted without antialiasing: nothing
// is lost on paper, and the picture keeps the few exact colours of the
// drawing, which makes its PNG small and quick.
QImage reportDrawingImage(const DXF& drawing);

// The PNG of the drawing of a report's picture run ("InsertDxf=" names it
// relative to workPath): the drawing kept on shelf under that name when there
// is one, else the file read; empty when the drawing cannot be had.
std::string reportDrawingPng(const std::string& workPath, const std::string& file,
                             const DrawingShelf* shelf = nullptr);

// The size a picture shows at, in layout units (1/96 inch): its own size from
// the resolution it states, scaled down to the picture box.
QSizeF reportPictureSize(const QImage& image);

// The pictures of one report document. Drawings are read when added and
// painted the first time they are asked for; the document reaches them by the
// names of its image formats. Documents cloned from it share the store.
class ReportPictureStore {
  public:
    explicit ReportPictureStore(std::string workPath) : m_workPath(std::move(workPath)) {}

    // Makes the store the resource provider of doc and paints its pictures
    // (and any other image) smoothly at the device's resolution.
    static void attach(QTextDocument& doc, const std::shared_ptr<ReportPictureStore>& store);
    // The store of a document that attach() prepared, or null.
    static std::shared_ptr<ReportPictureStore> of(const QTextDocument& doc);

    // The image format to insert for a drawing of the work path; a format
    // without a name when the drawing cannot be read.
    QTextImageFormat addDrawing(const std::string& file);
    // The image format to insert for an image; without a name for a null image.
    QTextImageFormat addImage(const QImage& image);
    // The same for PNG bytes (a report read back): only their head is read
    // now; the picture is decoded when it is first painted, at the size it is
    // painted. Without a name when the bytes are no PNG.
    QTextImageFormat addPng(std::string png);

    // The print-resolution image of a name; null when the store has none.
    QImage image(const QString& name);
    // The PNG of a name: the bytes it was added with, else its image encoded.
    std::string png(const QString& name);
    // The image of a name painted for a device: drawings are painted afresh at
    // the device's pixel size, other images scaled smoothly. Cached per size.
    QImage imageForDevice(const QString& name, QSize pixels);

    const std::string& workPath() const { return m_workPath; }
    QVariant resource(const QUrl& url);

  private:
    struct Entry {
        std::shared_ptr<const DXF> drawing;
        std::string png;  // as read back; decoded on first use
        QImage image;     // at print resolution; painted or decoded on first use
        QImage sized;     // the last image for a device
    };
    QTextImageFormat formatOf(const QString& name, QSizeF size) const;

    std::string m_workPath;
    std::map<QString, Entry> m_entries;
    int m_next = 0;
};
