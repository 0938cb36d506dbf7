// Fuzz target for the data-file reader: any bytes must read without a crash,
// leave every count within its array, read the same whether diagnostics are
// noted or not, and write back out.
#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CSlideCalcData item, noted;
    LineReader in(decodeFileText(bytes)), again(decodeFileText(bytes));
    InputDiagnostics diagnostics;
    int read = item.ParseDataFile(in);
    // Compared as written: a NaN read is unequal to itself.
    require(noted.ParseDataFile(again, &diagnostics) == read &&
                CSlideCalcData(noted).FormatDataFile() == CSlideCalcData(item).FormatDataFile(),
            "noting diagnostics changed the reading");
    require(read == 1 || !diagnostics.empty(), "a refused file without a diagnostic");
    if (!read) {
        require(item == CSlideCalcData(), "a refused file changed the record");
        return 0;
    }
    require(item.slipCount <= 100 && item.slopeCount <= 100 && item.waterCount <= 100,
            "segment count over 100");
    require(item.layerCount <= 20 && item.pileRows <= 20, "layer or row count over 20");
    require(item.pileKindCount <= 100 && item.unloadCount <= 3, "kind or unload count over limit");
    for (const CLineSeg& s : item.slope) require(s.loadCount <= 10, "load count over 10");
    // What was read writes back and reads again.
    std::string written = decodeFileText(item.FormatDataFile());
    LineReader in2(written);
    CSlideCalcData back;
    require(back.ParseDataFile(in2) == 1, "written file not readable");
    return 0;
}
