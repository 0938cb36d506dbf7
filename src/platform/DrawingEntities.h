// The value types an in-memory drawing is made of: entities with their colour
// and line type, text styles, line types and the extent rectangle. The pen that
// creates them is CBase_SGT; DXF and pictures are back ends of these.
#pragma once

#include <string>
#include <vector>

struct CFPoint {
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const CFPoint&) const = default;
};

// An extent: the first corner holds the smallest x and y, the second the largest.
struct CFRect {
    CFPoint p1;
    CFPoint p2;
    bool empty = true;  // a drawing without entities has no extent
    float width() const { return p2.x - p1.x; }
    float height() const { return p2.y - p1.y; }
};

// AutoCAD colour numbers that the drawings use; 256 means "by layer".
namespace DrawColor {
constexpr int kRed = 1;
constexpr int kYellow = 2;
constexpr int kGreen = 3;
constexpr int kCyan = 4;
constexpr int kBlue = 5;
constexpr int kMagenta = 6;
constexpr int kWhite = 7;  // black on a light background
constexpr int kByBlock = 0;
constexpr int kByLayer = 256;
}  // namespace DrawColor

constexpr const char* kContinuousLineType = "CONTINUOUS";
constexpr const char* kDotLineType = "DOT";
constexpr const char* kStandardStyle = "STANDARD";

enum class DrawEntityKind { Line, Polyline, Circle, Text };

// A polyline vertex with the widths of the segment that starts at it.
struct DrawVertex {
    float x = 0.0f;
    float y = 0.0f;
    float startWidth = 0.0f;
    float endWidth = 0.0f;
    bool operator==(const DrawVertex&) const = default;
};

// One entity. Lines hold two points, polylines any number, a circle its centre
// and a text its insertion point (left end of the base line).
struct DrawEntity {
    DrawEntityKind kind = DrawEntityKind::Line;
    int color = DrawColor::kWhite;  // as drawn: "by layer" resolved to the layer's colour
    // The colour number the entity itself carries in a file read (kByLayer when
    // it takes its layer's); what recognises lines by colour looks at this.
    int ownColor = DrawColor::kWhite;
    std::string lineType = kContinuousLineType;
    std::string layer = "0";
    float weight = 1.0f;  // relative pen weight for pictures; not kept in DXF
    std::vector<DrawVertex> points;
    bool closed = false;  // polylines
    float radius = 0.0f;  // circles
    // Texts: UTF-8 in memory; the angle in degrees counter-clockwise.
    std::string text;
    std::string style = kStandardStyle;
    float height = 0.0f;
    float angle = 0.0f;
    float widthFactor = 1.0f;
};

// A text style as the STYLE table holds it: shape fonts, fixed height (0 for a
// free height) and width factor.
struct DrawTextStyle {
    std::string name;
    std::string font;
    std::string bigFont;
    float height = 0.0f;
    float widthFactor = 1.0f;
    bool operator==(const DrawTextStyle&) const = default;
};

// A line type as the LTYPE table holds it: dash lengths, positive for a dash,
// negative for a gap, 0 for a dot.
struct DrawLineType {
    std::string name;
    std::string description;
    std::vector<float> pattern;
    bool operator==(const DrawLineType&) const = default;
};
