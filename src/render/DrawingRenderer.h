// Pictures of an in-memory drawing: painted with QPainter into a PNG image or
// an SVG document, fitted to a size, texts in a CJK system font. The report
// view, the clipboard and talvor-cli render use it.
#pragma once

#include <QImage>
#include <QRectF>

#include <memory>
#include <string>

class DXF;
class QGuiApplication;
class QPainter;

struct RenderOptions {
    int maxWidth = 1600;  // the picture fits this box, keeping the drawing's proportions
    int maxHeight = 1200;
    double marginRatio = 0.03;  // blank border, as a part of the shorter side
    bool antialias = true;
    double textRatio = 1.0;  // texts this many times their height, as the view shows them
    double hairline = 1.0;   // pixel width of a stroke of weight 1 (more for print resolution)
};

// Paints the drawing into `target` (device coordinates), fitted and centred,
// y up. An empty drawing paints nothing. Views that zoom and pan paint
// through DrawingPainter.h.
void paintDrawing(QPainter& painter, const DXF& drawing, const QRectF& target,
                  bool antialias = true);

// The pixel size the drawing gets under the options (at least 16 × 16).
QSize pictureSize(const DXF& drawing, const RenderOptions& options);

// The drawing on a white image of pictureSize().
QImage renderDrawingImage(const DXF& drawing, const RenderOptions& options = {});

// The PNG of the drawing painted as renderDrawingImage() paints it but
// without antialiasing, stating dotsPerMetre, written as a palette of the
// drawing's colours: the fastest way to a picture at print resolution.
// Empty for an empty drawing.
std::string renderAliasedDrawingPng(const DXF& drawing, RenderOptions options, int dotsPerMetre);

// PNG bytes of an image, with the resolution it states; empty on failure.
std::string pngBytes(const QImage& image);

// The bytes of a PNG or SVG picture; empty on failure.
std::string renderDrawingPng(const DXF& drawing, const RenderOptions& options = {});
std::string renderDrawingSvg(const DXF& drawing, const RenderOptions& options = {});

// Writes the picture atomically, PNG or SVG by the file's extension (any
// case); 1 when written, 0 for another extension or a write failure.
int renderDrawingToFile(const DXF& drawing, const std::string& path,
                        const RenderOptions& options = {});

enum class RenderFileOutcome { Written, DrawingUnreadable, PictureNotWritten };

// A picture of a DXF file: read with Read_FileDxf_To_Mem, written by
// renderDrawingToFile. talvor-cli render is this call.
// why receives the reader's reason when it refused a drawing that parsed.
RenderFileOutcome renderDxfFile(const std::string& dxfPath, const std::string& picturePath,
                                const RenderOptions& options = {}, std::string* why = nullptr);

// Fonts and painting need a QGuiApplication. Programs without a screen (the
// command line, tests) make one on the offscreen platform with this; null
// when one exists already.
std::unique_ptr<QGuiApplication> makeOffscreenGuiApplication();

// Why a picture could not be written at path: its folder missing, its
// extension not .png or .svg, or else the place not writable.
std::string PictureNotWrittenReason(const std::string& path);
