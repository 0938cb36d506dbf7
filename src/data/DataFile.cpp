// The item data file: one format string per line, shared by the writer and the
// reader, with the count limits applied on both sides so that a count in the
// file and the blocks that follow it always agree.
#include "data/CSlideCalcData.h"

#include "platform/AtomicFile.h"
#include "platform/FieldLine.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"

#include <algorithm>

namespace {

constexpr const char* kControl = "%d,%d,%d,%f\n";
constexpr const char* kBasic = "%f,%f,%f,%d,%f,%d,%f,%d,%f,%f,%f,%f,%d\n";
constexpr const char* kCounts = "%d,%d,%d,%f,%f,%f\n";
constexpr const char* kSegment = "%.5f,%.5f,%d,%f,%f\n";
constexpr const char* kLoad = "%.5f,%.5f,%.5f\n";
constexpr const char* kPiles = "%d,%f,%f,%d,%f,%d,%d,%d,%f,%f,%f,%d,%f,%f\n";
constexpr const char* kLayer = "%f,%f,%f,%f,%f\n";
constexpr const char* kRowFactor = "%f,";
constexpr const char* kCandidates = "%f,%d\n";
constexpr const char* kPileKind = "%d,%d,%f,%f,%f,%f,%f,%f,%f,%f,%d\n";
constexpr const char* kBerm = "%d,%f,%f,%f,%f,%f,%f,%d,%f\n";
constexpr const char* kRange = "%f,%f,%f\n";
constexpr const char* kUnload = "%d,%f,%f,%d,%f,%f\n";

// Counts are held down to their limit only; a negative count stays as it is
// and reads or writes no blocks.
void holdTo(int& count, int limit) {
    count = std::min(count, limit);
}
void holdInto(int& value, int lo, int hi) {
    value = std::clamp(value, lo, hi);
}

// Writing and reading share these: one place lists each line's fields.
struct LineIo {
    // Writer: format; reader: scan.
    bool writing;
    std::string* out;
    LineReader* in;
    std::string line;

    void io(const char* fmt, std::initializer_list<FieldRef> fields) {
        if (writing) {
            *out += formatFields(fmt, fields);
        } else {
            fgets_skip_comment(*in, line);
            scanFields(line, fmt, fields);
        }
    }
};

void segmentBlock(LineIo& f, CLineSeg& s) {
    f.io(kSegment, {&s.dx, &s.dy, &s.loadCount, &s.c, &s.phi});
    holdTo(s.loadCount, CLineSeg::kMaxLoads);
    for (int i = 0; i < s.loadCount; ++i) {
        CPointLoad& p = s.loads[i];
        f.io(kLoad, {&p.dist, &p.px, &p.py});
    }
}

void segmentBlocks(LineIo& f, std::array<CLineSeg, CSlideCalcData::kMaxSegments>& line,
                   int& count) {
    holdTo(count, CSlideCalcData::kMaxSegments);
    for (int i = 0; i < count; ++i) segmentBlock(f, line[i]);
}

void rowFactors(LineIo& f, std::array<float, CSlideCalcData::kMaxRows>& factors) {
    if (f.writing) {
        for (float& v : factors) *f.out += formatFields(kRowFactor, {&v});
        *f.out += "\n";
        return;
    }
    fgets_skip_comment(*f.in, f.line);
    NextValueScanner scan;
    scan.sscanf_next_begin();
    for (float& v : factors) scan.sscanf_next(f.line, "%f", &v);
}

void range(LineIo& f, CValueRange& r) {
    f.io(kRange, {&r.minValue, &r.maxValue, &r.step});
}

// Items 2 to 16 of the file, in order.
void dataLines(LineIo& f, CSlideCalcData& d) {
    f.io(kControl, {&d.goal, &d.designTarget, &d.checkTarget, &d.slopeLength});
    if (!f.writing) {
        holdInto(d.goal, 0, 1);
        holdInto(d.designTarget, 0, 2);
        holdInto(d.checkTarget, 0, 4);
    }
    f.io(kBasic, {&d.gamma, &d.gammaSat, &d.thrustSafetyFactor, &d.useSeepage, &d.porosity,
                  &d.useConfinedWater, &d.confinedHead, &d.quakeLevel, &d.quakeCz, &d.quakeCi,
                  &d.maxC, &d.maxPhi, &d.useStaticWater});
    f.io(kCounts, {&d.slipCount, &d.slopeCount, &d.waterCount, &d.slopeX0, &d.waterX0, &d.waterY0});
    segmentBlocks(f, d.slip, d.slipCount);
    segmentBlocks(f, d.slope, d.slopeCount);
    segmentBlocks(f, d.water, d.waterCount);

    if (f.writing) {
        holdTo(d.layerCount, CSlideCalcData::kMaxLayers);
        holdTo(d.pileRows, CSlideCalcData::kMaxRows);
    }
    f.io(kPiles, {&d.usePiles, &d.pileX, &d.pileSpacing, &d.pileRows, &d.rowSpacing, &d.layerCount,
                  &d.baseCondition, &d.elasticMethod, &d.coefA1, &d.coefA, &d.anchorStiffness,
                  &d.thrustShape, &d.thrustAdjust, &d.trapezoidRatio});
    holdTo(d.layerCount, CSlideCalcData::kMaxLayers);
    for (int i = 0; i < d.layerCount; ++i)
        f.io(kLayer,
             {&d.layerThickness[i], &d.layerGamma[i], &d.layerM[i], &d.layerC[i], &d.layerK[i]});
    holdTo(d.pileRows, CSlideCalcData::kMaxRows);
    rowFactors(f, d.rowFactor);

    if (f.writing) holdTo(d.pileKindCount, CSlideCalcData::kMaxPileKinds);
    f.io(kCandidates, {&d.minPileSpacing, &d.pileKindCount});
    holdTo(d.pileKindCount, CSlideCalcData::kMaxPileKinds);
    for (int i = 0; i < d.pileKindCount; ++i) {
        CPileKind& k = d.pileKinds[i];
        f.io(kPileKind,
             {&k.material, &k.section, &k.size1, &k.size2, &k.length, &k.embedDepth, &k.capacity,
              &k.materialCost, &k.buildCost, &k.buildDays, &k.concreteGrade});
    }

    f.io(kBerm, {&d.useBerm, &d.bermX, &d.bermH, &d.bermSlope, &d.bermGamma, &d.bermCost,
                 &d.bermDays, &d.bermDesignMode, &d.bermGammaSat});
    range(f, d.bermHRange);
    range(f, d.bermXRange);

    if (f.writing) holdTo(d.unloadCount, CSlideCalcData::kMaxUnloadSegs);
    f.io(kUnload,
         {&d.useUnload, &d.unloadSpare, &d.unloadY, &d.unloadCount, &d.unloadCost, &d.unloadDays});
    holdTo(d.unloadCount, CSlideCalcData::kMaxUnloadSegs);
    for (int i = 0; i < d.unloadCount; ++i) segmentBlock(f, d.unloadSegs[i]);
    range(f, d.unloadYRange);
}

}  // namespace

std::string CSlideCalcData::FormatDataFile() {
    std::string text;
    SetBiaoShi(text, kMark);
    LineIo f{true, &text, nullptr, {}};
    dataLines(f, *this);
    SaveData(text);
    return utf8ToGbk(text);
}

int CSlideCalcData::ParseDataFile(LineReader& in) {
    if (!CheckBiaoShi(in, kMark)) return 0;
    LineIo f{false, nullptr, &in, {}};
    dataLines(f, *this);
    LoadData(in);
    return 1;
}

int CSlideCalcData::WriteDataFile(const std::string& path) {
    AtomicFileWriter writer;
    return WriteDataFile(path, writer);
}

int CSlideCalcData::WriteDataFile(const std::string& path, AtomicFileWriter& writer) {
    // The engineer's previous version stays beside the file, as "Talvor.BAK"
    // does for the project file.
    if (!writer.writeKeepingPrevious(path, FormatDataFile())) return 0;
    SetFileName_(path);
    return 1;
}

int CSlideCalcData::ReadDataFile(const std::string& path) {
    std::optional<LineReader> in = LineReader::fromFile(path);
    if (!in) return 0;
    if (!ParseDataFile(*in)) return 0;
    SetFileName_(path);
    return 1;
}
