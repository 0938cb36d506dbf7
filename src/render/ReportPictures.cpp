// Report pictures as QTextDocument resources, and the handler that paints
// them: the image Qt would paint unscaled-and-unsmoothed is painted here at
// the size the device shows it.
#include "render/ReportPictures.h"

#include "render/DrawingRenderer.h"
#include "render/QuickPng.h"

#include "platform/Drawing.h"
#include "project/RtfWriter.h"
#include "platform/DrawingShelf.h"
#include "platform/WorkContext.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

// The picture box at print resolution, in pixels.
RenderOptions printOptions() {
    RenderOptions options;
    options.maxWidth = static_cast<int>(reportpage::kTextWidthIn * reportpage::kPrintDpi);
    options.maxHeight = static_cast<int>(reportpage::kPictureHeightIn * reportpage::kPrintDpi);
    // Strokes as wide on paper as on the screen.
    options.hairline = reportpage::kPrintDpi / reportpage::kLayoutDpi;
    options.antialias = false;
    return options;
}

// A picture of w × h inches in layout units, scaled down into the picture box.
QSizeF shownSize(double w, double h) {
    double shrink = std::min({1.0, reportpage::kTextWidthIn / w, reportpage::kPictureHeightIn / h});
    return QSizeF(w * shrink, h * shrink) * reportpage::kLayoutDpi;
}

class PictureHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    PictureHandler(std::shared_ptr<ReportPictureStore> store, QObject* parent)
        : QObject(parent), m_store(std::move(store)) {}

    const std::shared_ptr<ReportPictureStore>& store() const { return m_store; }

    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat& format) override {
        QTextImageFormat image = format.toImageFormat();
        QSizeF size(image.width(), image.height());
        if (!(size.width() > 0 && size.height() > 0))
            size = reportPictureSize(imageOf(doc, image.name()));
        // Layout units follow the paint device's resolution, as with Qt's own
        // image handler: a printer lays out in its dots.
        if (QPaintDevice* device = doc->documentLayout()->paintDevice())
            size *= device->logicalDpiY() / reportpage::kLayoutDpi;
        return size;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int,
                    const QTextFormat& format) override {
        QString name = format.toImageFormat().name();
        QSize pixels = painter->transform().mapRect(rect).toAlignedRect().size();
        QImage image = m_store->imageForDevice(name, pixels);
        if (image.isNull()) image = imageOf(doc, name);
        if (image.isNull()) return;
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(rect, image);
        painter->restore();
    }

  private:
    QImage imageOf(QTextDocument* doc, const QString& name) {
        QImage image = m_store->image(name);
        if (image.isNull())
            image = doc->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
        return image;
    }

    std::shared_ptr<ReportPictureStore> m_store;
};

int printDotsPerMetre() {
    return static_cast<int>(std::lround(reportpage::kPrintDpi / kMetresPerInch));
}

}  // namespace

QImage reportDrawingImage(const DXF& drawing) {
    if (drawing.GetFRect().empty) return {};
    QImage image = renderDrawingImage(drawing, printOptions());
    image.setDotsPerMeterX(printDotsPerMetre());
    image.setDotsPerMeterY(printDotsPerMetre());
    return image;
}

std::string reportDrawingPng(const std::string& workPath, const std::string& file,
                             const DrawingShelf* shelf) {
    if (std::shared_ptr<const DXF> kept = shelf ? shelf->find(file) : nullptr)
        return renderAliasedDrawingPng(*kept, printOptions(), printDotsPerMetre());
    DXF drawing;
    if (!drawing.Read_FileDxf_To_Mem(resolveInDir(workPath, file))) return {};
    return renderAliasedDrawingPng(drawing, printOptions(), printDotsPerMetre());
}

QSizeF reportPictureSize(const QImage& image) {
    if (image.isNull()) return {};
    double dpiX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * kMetresPerInch : 96.0;
    double dpiY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() * kMetresPerInch : 96.0;
    return shownSize(image.width() / dpiX, image.height() / dpiY);
}

void ReportPictureStore::attach(QTextDocument& doc,
                                const std::shared_ptr<ReportPictureStore>& store) {
    std::weak_ptr<ReportPictureStore> weak = store;
    doc.setResourceProvider([weak](const QUrl& url) {
        std::shared_ptr<ReportPictureStore> s = weak.lock();
        return s ? s->resource(url) : QVariant();
    });
    // The handler keeps the store alive as long as the document lives; the
    // handler of an earlier report goes with its store.
    delete doc.findChild<PictureHandler*>(QString(), Qt::FindDirectChildrenOnly);
    doc.documentLayout()->registerHandler(QTextFormat::ImageObject,
                                          new PictureHandler(store, &doc));
}

std::shared_ptr<ReportPictureStore> ReportPictureStore::of(const QTextDocument& doc) {
    auto* handler = doc.findChild<PictureHandler*>(QString(), Qt::FindDirectChildrenOnly);
    return handler ? handler->store() : nullptr;
}

QTextImageFormat ReportPictureStore::formatOf(const QString& name, QSizeF size) const {
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    return format;
}

QTextImageFormat ReportPictureStore::addDrawing(const std::string& file) {
    auto drawing = std::make_shared<DXF>();
    if (!drawing->Read_FileDxf_To_Mem(resolveInDir(m_workPath, file)) || drawing->GetFRect().empty)
        return {};
    QSize pixels = pictureSize(*drawing, printOptions());
    QSizeF size = QSizeF(pixels) * (reportpage::kLayoutDpi / reportpage::kPrintDpi);
    QString name = QString("talvor-picture:%1").arg(++m_next);
    m_entries[name].drawing = std::move(drawing);
    return formatOf(name, size);
}

QTextImageFormat ReportPictureStore::addImage(const QImage& image) {
    if (image.isNull()) return {};
    QString name = QString("talvor-picture:%1").arg(++m_next);
    m_entries[name].image = image;
    return formatOf(name, reportPictureSize(image));
}

QTextImageFormat ReportPictureStore::addPng(std::string png) {
    const PngHead head = ReadPngHead(png);
    if (head.width <= 0 || head.height <= 0) return {};
    QString name = QString("talvor-picture:%1").arg(++m_next);
    m_entries[name].png = std::move(png);
    return formatOf(name, shownSize(head.width / head.dpi, head.height / head.dpi));
}

QImage ReportPictureStore::image(const QString& name) {
    auto it = m_entries.find(name);
    if (it == m_entries.end()) return {};
    Entry& e = it->second;
    if (e.image.isNull() && e.drawing) e.image = reportDrawingImage(*e.drawing);
    if (e.image.isNull() && !e.png.empty())
        e.image = QImage::fromData(QByteArray::fromStdString(e.png), "PNG");
    return e.image;
}

std::string ReportPictureStore::png(const QString& name) {
    auto it = m_entries.find(name);
    if (it == m_entries.end()) return {};
    const Entry& e = it->second;
    if (!e.png.empty()) return e.png;
    // A drawing not yet painted whole is painted band by band.
    if (e.drawing && e.image.isNull())
        return renderAliasedDrawingPng(*e.drawing, printOptions(), printDotsPerMetre());
    return quickPngBytes(image(name));
}

QImage ReportPictureStore::imageForDevice(const QString& name, QSize pixels) {
    auto it = m_entries.find(name);
    if (it == m_entries.end() || pixels.isEmpty()) return {};
    Entry& e = it->second;
    if (e.sized.size() == pixels) return e.sized;
    // A printer gets the print-resolution image; only a screen gets a smaller one.
    if (e.drawing) {
        if (pixels.width() >= pictureSize(*e.drawing, printOptions()).width()) return image(name);
        RenderOptions options;
        options.maxWidth = pixels.width();
        options.maxHeight = pixels.height();
        e.sized = renderDrawingImage(*e.drawing, options);
    } else if (!e.png.empty() && e.image.isNull()) {
        // Decoded for the size shown; the whole picture only for a printer.
        if (pixels.width() >= ReadPngHead(e.png).width) return image(name);
        QByteArray bytes =
            QByteArray::fromRawData(e.png.data(), static_cast<qsizetype>(e.png.size()));
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "PNG");
        reader.setScaledSize(pixels);
        e.sized = reader.read();
    } else {
        if (e.image.isNull() || pixels.width() >= e.image.width()) return e.image;
        e.sized = e.image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return e.sized;
}

QVariant ReportPictureStore::resource(const QUrl& url) {
    QImage found = image(url.toString());
    return found.isNull() ? QVariant() : QVariant(found);
}

#include "ReportPictures.moc"
