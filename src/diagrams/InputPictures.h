// The explanatory pictures of the calculation window, one per input page:
// schematic sections that name every quantity the page's tables ask for
// (segment projections, strengths, loads, pile lengths, berm and unloading
// line). Drawn in millimetres like the sketch; how they are shown is the
// desktop program's.
#pragma once

class CBase_SGT;

// The input pages in the window's order: 控制, 滑面, 坡面, 抗滑桩, 反压码, 刷方.
inline constexpr int kInputPageCount = 6;

// Draws the picture of page `page` (0..5) into the drawing; the pen is left
// as it was. Returns 1, or 0 (nothing drawn) for a page without a picture.
int DrawInputPicture(int page, CBase_SGT* drawing);
