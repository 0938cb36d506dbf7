// The record of one calculation item: control choices, soil and water
// parameters, the three section lines, the countermeasures and the residual
// thrust of the last run. Fixed arrays with counts; elements beyond a count
// keep their values and come back when the count is raised.
#pragma once

#include "platform/CJsBaseData.h"

class AtomicFileWriter;
class InputDiagnostics;

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CPointLoad {
    float dist = 1.0f;  // m along the segment from its start
    float px = 0.0f;    // kN, positive towards smaller x
    float py = 600.0f;  // kN, positive downwards
    bool operator==(const CPointLoad&) const = default;
};

struct CLineSeg {
    static constexpr int kMaxLoads = 10;
    float dx = 1.0f;
    float dy = 1.0f;
    int loadCount = 0;
    std::array<CPointLoad, kMaxLoads> loads{};
    float c = 10.0f;    // kPa
    float phi = 20.0f;  // degrees
    bool operator==(const CLineSeg&) const = default;
};

struct CPileKind {
    int material = 0;  // 0 钢筋混凝土, 1 钢轨, 2 木桩, 3 钢桩
    int section = 1;   // 0 圆形, 1 方形, 2 其他
    float size1 = 50.0f;
    float size2 = 50.0f;
    float length = 10.0f;
    float embedDepth = 6.0f;
    float capacity = 100.0f;
    float materialCost = 800.0f;
    float buildCost = 100.0f;
    float buildDays = 0.1f;
    int concreteGrade = 4;  // C30
    bool operator==(const CPileKind&) const = default;
};

struct CValueRange {
    float minValue = 0.0f;
    float maxValue = 0.0f;
    float step = 0.0f;
    bool operator==(const CValueRange&) const = default;
};

// One entry of the pile library of tested piles.
struct CPileTestRecord {
    int selected = 0;
    int seqNo = 1;
    int number = 1;
    std::string pileId = "Z1";
    std::string pileType = "钢轨";
    float size = 50.0f;
    float length = 2.6f;
    float embedDepth = 2.0f;
    std::string soil = "硬塑砂粘土、原状";
    std::string terrain = "平地";
    float capacity = 52.6f;
    float capacityMean = 47.43f;
};

enum class DataFileStyle { Plain, Commented };

class CSlideCalcData : public CJsBaseData {
  public:
    static constexpr int kMaxSegments = 100;
    static constexpr int kMaxRows = 20;
    static constexpr int kMaxLayers = 20;
    static constexpr int kMaxPileKinds = 100;
    static constexpr int kPileKindSlots = 200;
    static constexpr int kMaxUnloadSegs = 3;
    static constexpr int kResultSlots = 110;
    static constexpr const char* kMark = "BIANPO_TALVORN_V10";
    // The largest item data file read: a real one, with every count at its
    // limit and comments, stays under 200 KB.
    static constexpr uint64_t kMaxDataFileBytes = 16 * 1024 * 1024;

    CSlideCalcData();

    virtual int ReadDataFile(const std::string& path);
    // The same reading, also noting in diagnostics every place where it had
    // to guess (null: none noted). What is read does not depend on it.
    int ReadDataFile(const std::string& path, InputDiagnostics* diagnostics);
    // The same reading of a data file's bytes (GBK or UTF-8) that came from
    // elsewhere than a file (a browser's upload); name is the file's name.
    int ReadDataBytes(std::string_view bytes, const std::string& name,
                      InputDiagnostics* diagnostics);
    // Writes atomically; a file already there is kept, one generation deep,
    // as PreviousVersionPath(path) ("&TLVR_0001.DAT.BAK"). Every writer of an
    // item's data file (calculation window, batch runs, imports) comes here.
    virtual int WriteDataFile(const std::string& path);
    // The same, through the given writer (tests pass one that fails).
    int WriteDataFile(const std::string& path, AtomicFileWriter& writer);
    // The data file's bytes as WriteDataFile writes them (GBK), with the
    // writer's count limits applied to the record. Commented: the same lines,
    // each under "//" lines naming its fields, for editing by hand.
    std::string FormatDataFile(DataFileStyle style = DataFileStyle::Plain);
    // Reads data-file text already decoded to UTF-8; 0 when the mark is wrong.
    int ParseDataFile(LineReader& in, InputDiagnostics* diagnostics = nullptr);

    int ApplyControlRules();
    int SetAllC(float value);
    int SetAllPhi(float value);
    static int IsSamePileKind(const CPileKind& a, const CPileKind& b);
    int HasPileKind(const CPileKind& k) const;
    int AddPileKindsFromLibrary(const std::vector<CPileTestRecord>& library);

    // Every field, array elements beyond the counts and the base part included.
    bool operator==(const CSlideCalcData&) const = default;

    // Control group
    int goal = 0;
    int designTarget = 0;
    int checkTarget = 0;
    float slopeLength = 500.0f;

    // Basic group
    float gamma = 19.0f;
    float gammaSat = 25.0f;
    float thrustSafetyFactor = 1.0f;
    int useSeepage = 1;
    float porosity = 0.1f;
    int useConfinedWater = 0;
    float confinedHead = 0.0f;
    int quakeLevel = 0;
    float quakeCz = 0.25f;
    float quakeCi = 1.0f;
    float maxC = 100.0f;
    float maxPhi = 50.0f;
    int useStaticWater = 0;

    // Section lines group
    int slipCount = 6;
    int slopeCount = 9;
    int waterCount = 4;
    float slopeX0 = 15.0f;
    float waterX0 = 16.0f;
    float waterY0 = -1.0f;
    std::array<CLineSeg, kMaxSegments> slip{};
    std::array<CLineSeg, kMaxSegments> slope{};
    std::array<CLineSeg, kMaxSegments> water{};

    // Results group: not in the data file, carried along by copies.
    std::array<float, kResultSlots> residualThrust{};

    // Pile group
    int usePiles = 1;
    float pileX = 6.0f;
    float pileSpacing = 2.0f;
    int pileRows = 1;
    float rowSpacing = 2.0f;
    int layerCount = 1;
    int baseCondition = 1;
    int elasticMethod = 0;
    float coefA1 = 0.0f;
    float coefA = 0.0f;
    float anchorStiffness = 0.0f;
    int thrustShape = 0;
    float thrustAdjust = 1.0f;
    float trapezoidRatio = 0.5f;
    std::array<float, kMaxLayers> layerThickness{};
    std::array<float, kMaxLayers> layerGamma{};
    std::array<float, kMaxLayers> layerM{};
    std::array<float, kMaxLayers> layerC{};
    std::array<float, kMaxLayers> layerK{};
    std::array<float, kMaxRows> rowFactor{};
    float minPileSpacing = 1.0f;
    int pileKindCount = 1;
    std::array<CPileKind, kPileKindSlots> pileKinds{};

    // Berm group
    int useBerm = 1;
    float bermX = 5.0f;
    float bermH = 5.0f;
    float bermSlope = 1.0f;
    float bermGamma = 22.0f;
    float bermGammaSat = 22.0f;
    float bermCost = 15.0f;
    float bermDays = 0.01f;
    int bermDesignMode = 0;
    CValueRange bermHRange{0.0f, 10.0f, 1.0f};
    CValueRange bermXRange{0.0f, 10.0f, 1.0f};

    // Unloading group
    int useUnload = 1;
    float unloadSpare = 30.0f;
    float unloadY = 22.0f;
    float unloadCost = 10.0f;
    float unloadDays = 0.01f;
    int unloadCount = 2;
    std::array<CLineSeg, kMaxUnloadSegs> unloadSegs{};
    CValueRange unloadYRange{15.0f, 25.0f, 1.0f};
};
