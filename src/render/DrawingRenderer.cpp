// Pictures of a drawing: the whole drawing fitted into a picture of the size
// its proportions ask for, painted by the drawing painter.
#include "render/DrawingRenderer.h"

#include "render/AciPalette.h"
#include "render/DrawingPainter.h"
#include "render/QuickPng.h"

#include "platform/AtomicFile.h"
#include "platform/Drawing.h"
#include "platform/PictureFrame.h"

#include <cctype>
#include <filesystem>
#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <strings.h>
#include <sys/mman.h>

namespace {

// A Grayscale8 image of size, not cleared, over memory the painting thread
// keeps from one picture to the next and the kernel may map in pages of 2 MB:
// a picture at print resolution is megabytes, and mapping fresh memory a
// page at a time costs more than painting it. The image must be gone before
// the thread asks for the next one.
QImage threadPictureImage(QSize size) {
    struct Memory {
        void* at = nullptr;
        size_t bytes = 0;
        ~Memory() { std::free(at); }
    };
    thread_local Memory memory;
    constexpr size_t kHugePage = size_t{2} << 20;
    const size_t bytesPerLine = (static_cast<size_t>(size.width()) + 3) / 4 * 4;
    const size_t bytes =
        (bytesPerLine * static_cast<size_t>(size.height()) + kHugePage - 1) / kHugePage * kHugePage;
    if (bytes > memory.bytes) {
        std::free(memory.at);
        memory.at = std::aligned_alloc(kHugePage, bytes);
        memory.bytes = memory.at ? bytes : 0;
        if (!memory.at) return {};
#ifdef MADV_HUGEPAGE
        madvise(memory.at, bytes, MADV_HUGEPAGE);
#endif
    }
    return QImage(static_cast<uchar*>(memory.at), size.width(), size.height(),
                  static_cast<qsizetype>(bytesPerLine), QImage::Format_Grayscale8);
}

PaintOptions paintOptionsOf(const RenderOptions& options) {
    PaintOptions paint;
    paint.antialias = options.antialias;
    paint.textRatio = options.textRatio;
    paint.hairline = options.hairline;
    return paint;
}

void paintFitted(QPainter& painter, const DXF& drawing, const QRectF& target,
                 const RenderOptions& options) {
    CFRect r = drawing.GetFRect();
    if (r.empty) return;
    paintDrawing(painter, drawing, ViewTransform::fitted(r, target), paintOptionsOf(options));
}

// White and the colour of every entity: all that a drawing painted without
// antialiasing can show. At most 256, since colour numbers 7 and out of
// range share black.
std::vector<QRgb> aliasedColours(const DXF& drawing) {
    std::vector<QRgb> colours{qRgb(255, 255, 255)};
    for (const DrawEntity& e : drawing.entities()) {
        QRgb c = aciColor(e.color).rgb();
        if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
    }
    return colours;
}

}  // namespace

void paintDrawing(QPainter& painter, const DXF& drawing, const QRectF& target, bool antialias) {
    RenderOptions options;
    options.antialias = antialias;
    paintFitted(painter, drawing, target, options);
}

QSize pictureSize(const DXF& drawing, const RenderOptions& options) {
    PictureSize size = fitPictureSize(drawing.GetFRect(), options.maxWidth, options.maxHeight);
    return {size.width, size.height};
}

namespace {

QRectF innerRect(QSize size, const RenderOptions& options) {
    double m = pictureMargin({size.width(), size.height()}, options.marginRatio);
    return QRectF(m, m, size.width() - 2 * m, size.height() - 2 * m);
}

}  // namespace

QImage renderDrawingImage(const DXF& drawing, const RenderOptions& options) {
    QSize size = pictureSize(drawing, options);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    paintFitted(painter, drawing, innerRect(size, options), options);
    return image;
}

namespace {

// Qt hands every large fill of an 8-bit picture to its global thread pool in
// pieces and waits for them, unless the painting thread is one of the pool's
// own: there it fills on the spot, at a fraction of the CPU time.
std::string onPoolThread(const std::function<std::string()>& work) {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool->contains(QThread::currentThread())) return work();
    std::string result;
    QSemaphore done;
    pool->start([&] {
        result = work();
        done.release();
    });
    done.acquire();
    return result;
}

std::string paintAliasedPng(const DXF& drawing, RenderOptions options, int dotsPerMetre) {
    CFRect r = drawing.GetFRect();
    if (r.empty) return {};
    options.antialias = false;
    const QSize size = pictureSize(drawing, options);
    QImage image = threadPictureImage(size);
    if (image.isNull()) return {};
    const std::vector<QRgb> palette = aliasedColours(drawing);
    image.fill(0);  // white
    // The pictures of a report share their labels.
    thread_local TextOutlines outlines;
    PaintOptions paint = paintOptionsOf(options);
    paint.outlines = &outlines;
    paint.palette = &palette;
    QPainter painter(&image);
    paintDrawing(painter, drawing, ViewTransform::fitted(r, innerRect(size, options)), paint);
    painter.end();
    QuickPngWriter png(size.width(), size.height(), dotsPerMetre, dotsPerMetre, palette);
    if (!png.addIndexImage(std::move(image))) return {};
    return png.finish();
}

}  // namespace

// Painted in palette indexes, so that the picture's bytes are the PNG's rows.
std::string renderAliasedDrawingPng(const DXF& drawing, RenderOptions options, int dotsPerMetre) {
    return onPoolThread([&] { return paintAliasedPng(drawing, options, dotsPerMetre); });
}

std::string pngBytes(const QImage& image) {
    if (image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes.toStdString();
}

std::string renderDrawingPng(const DXF& drawing, const RenderOptions& options) {
    return pngBytes(renderDrawingImage(drawing, options));
}

std::string renderDrawingSvg(const DXF& drawing, const RenderOptions& options) {
    QSize size = pictureSize(drawing, options);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("Talvor");
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paintFitted(painter, drawing, innerRect(size, options), options);
    painter.end();
    return bytes.toStdString();
}

int renderDrawingToFile(const DXF& drawing, const std::string& path, const RenderOptions& options) {
    auto endsWith = [&](const char* ext) {
        size_t n = std::char_traits<char>::length(ext);
        return path.size() > n && strcasecmp(path.c_str() + path.size() - n, ext) == 0;
    };
    std::string bytes;
    if (endsWith(".png"))
        bytes = renderDrawingPng(drawing, options);
    else if (endsWith(".svg"))
        bytes = renderDrawingSvg(drawing, options);
    else
        return 0;
    if (bytes.empty()) return 0;
    return writeFileAtomically(path, bytes);
}

RenderFileOutcome renderDxfFile(const std::string& dxfPath, const std::string& picturePath,
                                const RenderOptions& options, std::string* why) {
    DXF drawing;
    if (!drawing.Read_FileDxf_To_Mem(dxfPath, why)) return RenderFileOutcome::DrawingUnreadable;
    if (!renderDrawingToFile(drawing, picturePath, options))
        return RenderFileOutcome::PictureNotWritten;
    return RenderFileOutcome::Written;
}

namespace {

// While it starts, Qt looks for a sandbox marker in the session's runtime
// directory and warns when XDG_RUNTIME_DIR is unset, as it is in batch jobs
// and containers. Pictures need no runtime directory: that warning is dropped,
// every other message goes out as Qt would print it.
void dropRuntimeDirWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

std::unique_ptr<QGuiApplication> makeOffscreenGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    // The platform is asked for on the application's own command line, so the
    // process environment, which child processes and other threads share, is
    // left as it was; a platform the user named in QT_QPA_PLATFORM is kept.
    // Qt keeps references to argc and argv for the application's lifetime and
    // takes the options it reads out of them, so both are set anew each time.
    static char name[] = "talvor", option[] = "-platform", offscreen[] = "offscreen";
    static char* argv[4];
    static int argc;
    argv[0] = name, argv[1] = option, argv[2] = offscreen, argv[3] = nullptr;
    argc = std::getenv("QT_QPA_PLATFORM") ? 1 : 3;
    QtMessageHandler previous = qInstallMessageHandler(dropRuntimeDirWarning);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

std::string PictureNotWrittenReason(const std::string& picture) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path dir = fs::path(picture).parent_path();
    if (!dir.empty() && !fs::is_directory(dir, ec))
        return "无法写入图片 " + picture + ": 目录 " + dir.string() + " 不存在";
    std::string ext = fs::path(picture).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".png" && ext != ".svg")
        return "无法写入图片 " + picture + " (扩展名须为 .png 或 .svg)";
    return "无法写入图片 " + picture;
}
