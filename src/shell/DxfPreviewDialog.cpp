// The preview's drawing is the current sketch in grey with the new lines
// added thin (so that showing all takes them in) and painted over wide.
#include "shell/DxfPreviewDialog.h"

#include "shell/CCxView.h"

#include "diagrams/SketchElements.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "project/DxfImport.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kGrey = 8;  // AutoCAD colour number

struct PreviewLine {
    SketchElementKind kind;
    int colour;    // DXF colour of the thin line
    QColor shown;  // the wide one: yellow darkened to read on white
};

const PreviewLine kLines[kSectionLines] = {
    {SketchElementKind::SlipSegment, 2, QColor(214, 170, 0)},
    {SketchElementKind::SlopeSegment, 3, QColor(0, 160, 0)},
    {SketchElementKind::WaterSegment, 5, QColor(0, 70, 230)},
};

// The new lines, added to the drawing and returned as overlays.
std::vector<ViewOverlay> addNewLines(const DxfSectionScan& scan, DXF* drawing) {
    std::vector<ViewOverlay> overlays;
    for (int l = 0; l < kSectionLines; ++l) {
        if (!scan.lines[l].found()) continue;
        ViewOverlay overlay{{}, kLines[l].shown, 4.0};
        QPolygonF path;
        for (const SketchElement& s : SketchLineElements(scan.result, kLines[l].kind)) {
            if (path.isEmpty()) path << QPointF(s.points.front().x, s.points.front().y);
            path << QPointF(s.points.back().x, s.points.back().y);
            DrawEntity e;
            e.kind = DrawEntityKind::Line;
            e.color = e.ownColor = kLines[l].colour;
            e.points = {{s.points.front().x, s.points.front().y},
                        {s.points.back().x, s.points.back().y}};
            if (drawing) drawing->addEntity(std::move(e));
        }
        overlay.paths.push_back(path);
        overlays.push_back(std::move(overlay));
    }
    return overlays;
}

}  // namespace

DxfPreviewDialog::DxfPreviewDialog(const CSlideCalcData& record, const DxfSectionScan& scan,
                                   QWidget* parent)
    : QDialog(parent), m_view(new CCxView(this)), m_summary(new QLabel(this)) {
    setWindowTitle(QStringLiteral("DXF文件中的滑面、坡面和水面线"));
    std::unique_ptr<DXF> drawing = MakeSketchDrawing(record);
    // The current data in grey, so that the colours are the new lines' alone.
    if (drawing)
        for (DrawEntity& e : drawing->entities()) e.color = kGrey;
    std::vector<ViewOverlay> overlays = addNewLines(scan, drawing.get());
    m_view->setDrawing(std::move(drawing));
    m_view->setOverlays(std::move(overlays));
    m_view->setAccessibleName(QStringLiteral("读入预览"));
    m_view->setMinimumSize(560, 360);

    QStringList text;
    for (const std::string& line : DescribeSectionScan(scan)) text << QString::fromStdString(line);
    if (scan.anyLine()) text << QStringLiteral("彩色粗线为将读入的线，灰色为当前数据。");
    m_summary->setText(text.join('\n'));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setAccessibleName(QStringLiteral("读入结果"));
    // The name is the title; a screen reader reads what was found from here.
    m_summary->setAccessibleDescription(m_summary->text());

    auto* buttons = new QDialogButtonBox(this);
    if (scan.anyLine()) {
        buttons->addButton(QStringLiteral("读入"), QDialogButtonBox::AcceptRole)->setDefault(true);
        buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    } else {
        buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(760, 600);
}
