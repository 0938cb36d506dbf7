// The pen and the primitives: each primitive appends one entity in the pen's
// colour, line type and text style.
#include "platform/DrawingPen.h"

#include "platform/TextEncoding.h"

#include <cctype>
#include <cstdlib>
#include <strings.h>

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

CBase_SGT::CBase_SGT() {
    resetDrawing();
}

void CBase_SGT::resetDrawing() {
    m_pen = DrawPenState{};
    m_envStack.clear();
    m_entities.clear();
    m_styles.clear();
    m_lineTypes.clear();
    m_styles.push_back({kStandardStyle, "txt", "", 0.0f, 1.0f});
    m_lineTypes.push_back({kContinuousLineType, "Solid line", {}});
}

void CBase_SGT::Push_ENV() {
    m_envStack.push_back(m_pen);
}

void CBase_SGT::Pop_ENV() {
    if (m_envStack.empty()) return;
    m_pen = m_envStack.back();
    m_envStack.pop_back();
}

void CBase_SGT::SetCurColor(int color) {
    if (color >= 0 && color <= 256) m_pen.color = color;
}

void CBase_SGT::SetCurColor(const char* color) {
    if (!color) return;
    char* end = nullptr;
    long value = std::strtol(color, &end, 10);
    if (end == color) return;
    while (*end && std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (*end) return;
    SetCurColor(static_cast<int>(value));
}

int CBase_SGT::SetCurLType(const char* name) {
    if (!name) return 0;
    const DrawLineType* type = findLineType(name);
    if (!type) return 0;
    m_pen.lineType = type->name;
    return 1;
}

int CBase_SGT::SetCurStyle(const char* name) {
    if (!name) return 0;
    const DrawTextStyle* style = findStyle(name);
    if (!style) return 0;
    m_pen.style = style->name;
    return 1;
}

void CBase_SGT::Add_Default_LineType() {
    // Dots 1.5 units apart at linetype scale 1, the pattern CAD programs ship.
    addLineType({kDotLineType, "Dot . . . . . . . .", {0.0f, -1.5f}});
}

int CBase_SGT::Add_STyle(const char* name, const char* font, const char* bigFont, float height,
                         float widthFactor) {
    if (!name || !*name) return 0;
    addStyle({name, font ? font : "", bigFont ? bigFont : "", height,
              widthFactor > 0.0f ? widthFactor : 1.0f});
    return 1;
}

void CBase_SGT::addStyle(const DrawTextStyle& style) {
    for (DrawTextStyle& s : m_styles) {
        if (sameName(s.name, style.name)) {
            s = style;
            return;
        }
    }
    m_styles.push_back(style);
}

void CBase_SGT::addLineType(const DrawLineType& lineType) {
    for (DrawLineType& t : m_lineTypes) {
        if (sameName(t.name, lineType.name)) {
            t = lineType;
            return;
        }
    }
    m_lineTypes.push_back(lineType);
}

const DrawTextStyle* CBase_SGT::findStyle(std::string_view name) const {
    for (const DrawTextStyle& s : m_styles)
        if (sameName(s.name, name)) return &s;
    return nullptr;
}

const DrawLineType* CBase_SGT::findLineType(std::string_view name) const {
    for (const DrawLineType& t : m_lineTypes)
        if (sameName(t.name, name)) return &t;
    return nullptr;
}

DrawEntity CBase_SGT::penEntity(DrawEntityKind kind, float weight) const {
    DrawEntity e;
    e.kind = kind;
    e.color = m_pen.color;
    e.ownColor = m_pen.color;
    e.lineType = m_pen.lineType;
    e.weight = weight;
    return e;
}

void CBase_SGT::MoveTo(float x, float y) {
    m_pen.x = x;
    m_pen.y = y;
}

void CBase_SGT::LineTo_Relative(float dx, float dy) {
    Draw_Line(m_pen.x, m_pen.y, m_pen.x + dx, m_pen.y + dy, 1.0f);
    m_pen.x += dx;
    m_pen.y += dy;
}

void CBase_SGT::PlineTo_Relative(float dx, float dy, float startWidth, float endWidth) {
    Draw_Pline(m_pen.x, m_pen.y, m_pen.x + dx, m_pen.y + dy, startWidth, endWidth, 1.0f);
    m_pen.x += dx;
    m_pen.y += dy;
}

void CBase_SGT::Draw_Line(float x1, float y1, float x2, float y2, float weight) {
    DrawEntity e = penEntity(DrawEntityKind::Line, weight);
    e.points = {{x1, y1, 0.0f, 0.0f}, {x2, y2, 0.0f, 0.0f}};
    m_entities.push_back(std::move(e));
}

void CBase_SGT::Draw_Pline(float x1, float y1, float x2, float y2, float startWidth, float endWidth,
                           float weight) {
    DrawEntity e = penEntity(DrawEntityKind::Polyline, weight);
    e.points = {{x1, y1, startWidth, endWidth}, {x2, y2, 0.0f, 0.0f}};
    m_entities.push_back(std::move(e));
}

void CBase_SGT::Draw_Circle(float x, float y, float radius, float weight) {
    DrawEntity e = penEntity(DrawEntityKind::Circle, weight);
    e.points = {{x, y, 0.0f, 0.0f}};
    e.radius = radius;
    m_entities.push_back(std::move(e));
}

void CBase_SGT::Draw_Text(float x, float y, float height, float angle, const std::string& text) {
    DrawEntity e = penEntity(DrawEntityKind::Text, 1.0f);
    e.points = {{x, y, 0.0f, 0.0f}};
    e.text = text;
    e.style = m_pen.style;
    e.height = height;
    e.angle = angle;
    const DrawTextStyle* style = findStyle(m_pen.style);
    e.widthFactor = style ? style->widthFactor : 1.0f;
    m_entities.push_back(std::move(e));
}

float CBase_SGT::GetTextWidth(const std::string& text, float height, float widthFactor,
                              const char* style) const {
    if (widthFactor < 0.0f) {
        const DrawTextStyle* s = findStyle(style ? style : m_pen.style.c_str());
        widthFactor = s ? s->widthFactor : 1.0f;
    }
    return static_cast<float>(gbkWidth(text)) * 0.8f * height * widthFactor;
}
