// The drawing pen CBase_SGT: the entity list of one drawing with its text
// styles and line types, the current pen (position, colour, line type, text
// style) with a push/pop stack, and the primitives and framed charts that draw
// with it. Files and extents are DXF's (Drawing.h).
#pragma once

#include "platform/DrawingEntities.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Everything Push_ENV saves and Pop_ENV restores.
struct DrawPenState {
    float x = 0.0f;
    float y = 0.0f;
    int color = DrawColor::kWhite;
    std::string lineType = kContinuousLineType;
    std::string style = kStandardStyle;
    bool operator==(const DrawPenState&) const = default;
};

class CBase_SGT {
  public:
    CBase_SGT();
    virtual ~CBase_SGT() = default;
    CBase_SGT(const CBase_SGT&) = default;
    CBase_SGT(CBase_SGT&&) = default;
    CBase_SGT& operator=(const CBase_SGT&) = default;
    CBase_SGT& operator=(CBase_SGT&&) = default;

    // Pen state.
    void Push_ENV();
    // Restores the state of the matching Push_ENV; an unmatched pop changes nothing.
    void Pop_ENV();
    const DrawPenState& penState() const { return m_pen; }
    int envDepth() const { return static_cast<int>(m_envStack.size()); }
    // Colour as an AutoCAD number, or as its text ("7"); text that is no
    // number leaves the colour as it is.
    void SetCurColor(int color);
    void SetCurColor(const char* color);
    // 1 when the line type is known (CONTINUOUS, or added to the table), else
    // 0 and the pen keeps its line type.
    int SetCurLType(const char* name);
    int SetCurStyle(const char* name);

    // Tables.
    void Add_Default_LineType();  // makes "DOT" available
    int Add_STyle(const char* name, const char* font, const char* bigFont, float height,
                  float widthFactor);
    const DrawTextStyle* findStyle(std::string_view name) const;
    const DrawLineType* findLineType(std::string_view name) const;
    const std::vector<DrawTextStyle>& styles() const { return m_styles; }
    const std::vector<DrawLineType>& lineTypes() const { return m_lineTypes; }
    void addStyle(const DrawTextStyle& style);
    void addLineType(const DrawLineType& lineType);

    // Primitives. `weight` is the relative pen weight (1.0 throughout).
    void MoveTo(float x, float y);
    void LineTo_Relative(float dx, float dy);
    void PlineTo_Relative(float dx, float dy, float startWidth, float endWidth);
    void Draw_Line(float x1, float y1, float x2, float y2, float weight);
    void Draw_Pline(float x1, float y1, float x2, float y2, float startWidth, float endWidth,
                    float weight);
    void Draw_Circle(float x, float y, float radius, float weight);
    // Text left-aligned on its base line at (x, y), angle in degrees.
    void Draw_Text(float x, float y, float height, float angle, const std::string& text);

    // Width of a text in drawing units; a width factor below 0 takes the
    // style's. Each GBK byte of the text advances 0.8 of the height times the
    // width factor: for the style "HZ" (factor 0.75) that is 0.6 of the height
    // a byte, the estimate the captions are laid out with.
    float GetTextWidth(const std::string& text, float height, float widthFactor,
                       const char* style) const;

    // A framed x-y chart of one curve at lower-left corner (x, y): the ranges
    // are mapped onto width × height. drawFrame: frame, grid, ticks, tick
    // labels and axis captions; drawCurve: the curve (a caller draws the two
    // in different colours). Nothing is drawn for n < 1 or empty ranges.
    int Draw_Curve(float x, float y, int n, const float* xs, const float* ys, float xMin,
                   float xMax, float yMin, float yMax, float width, float height, int xDivisions,
                   int yDivisions, const std::string& xLabel, const std::string& yLabel,
                   int drawFrame, int drawCurve);

    // A framed chart of two series over a vertical axis (depth charts): the
    // vertical axis runs from tMin at the bottom to tMax at the top over
    // tLength, the values from vMin to vMax across vLength, lower-left corner
    // at (x, y): frame, grid, ticks, labels, the zero line and the captions
    // (tLabel beside the vertical axis, vLabel as the panel title); series 1
    // solid in the pen colour, series 2 in red dots; the largest and smallest
    // value of series 1 labelled at their points.
    int Draw_Curve2(float x, float y, int n, const float* ts, const float* series1,
                    const float* series2, float tMin, float tMax, float vMin, float vMax,
                    float tLength, float vLength, int tDivisions, int vDivisions,
                    const std::string& tLabel, const std::string& vLabel);

    const std::vector<DrawEntity>& entities() const { return m_entities; }
    std::vector<DrawEntity>& entities() { return m_entities; }
    void addEntity(DrawEntity entity) { m_entities.push_back(std::move(entity)); }
    // Room for n more entities, for callers that know roughly how many they draw.
    void reserveEntities(size_t n) { m_entities.reserve(m_entities.size() + n); }

  protected:
    // Empties the drawing and resets the pen and the tables to their defaults.
    void resetDrawing();

  private:
    DrawEntity penEntity(DrawEntityKind kind, float weight) const;

    DrawPenState m_pen;
    std::vector<DrawPenState> m_envStack;
    std::vector<DrawEntity> m_entities;
    std::vector<DrawTextStyle> m_styles;
    std::vector<DrawLineType> m_lineTypes;
};
