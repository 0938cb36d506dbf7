// The names of an item's result files: the calculation sketch, the result
// charts and the residual-thrust curve, all sharing one report file. Names
// are bare; the files lie in the work directory.
#pragma once

#include <string>

class CSlideCalcData;

// Result entries of an item.
inline constexpr int kResultSketch = 0;
inline constexpr int kResultCharts = 1;
inline constexpr int kResultCurve = 2;
// The pile's reinforcement drawing, listed after a run that drew it.
inline constexpr int kResultRebar = 3;

// Fills the three result entries from the item's file base ("&TLVR_0001"):
// "计算简图" base_TLVR_JT.DXF, "计算结果" base_TLVR_JG.DXF, "剩余下滑力曲线"
// base_TLVR_SYXHL.DXF, each with the report base_TLVR.RTF. Entries beyond
// the third are dropped. Returns 1.
int SetResultFileNames(CSlideCalcData& item, const std::string& base);

// The labelled sketch the supplement shows beside the plain one: the sketch's
// name with "BZ" before ".DXF" (base_TLVR_JTBZ.DXF); empty without a sketch.
std::string AnnotatedSketchFileName(const CSlideCalcData& item);

// The file base of an item file: its name without directory and extension
// ("/p/&TLVR_0001.DAT" gives "&TLVR_0001").
std::string ItemFileBase(const std::string& path);
