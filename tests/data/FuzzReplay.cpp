// Runs the data-file fuzz target on a fixed, reproducible stream of mutated
// data files and of random bytes, so the suite exercises it without a fuzzing
// engine. `data_fuzz_replay RUNS DIR` writes the stream into DIR as files
// instead, for the WebAssembly core to calculate.
#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> seeds() {
    CSlideCalcData plain;
    CSlideCalcData loaded;
    loaded.slope[3].loadCount = 10;
    loaded.pileKindCount = 5;
    loaded.unloadCount = 3;
    loaded.setName("种子 样本");
    return {plain.FormatDataFile(), loaded.FormatDataFile()};
}

// One random edit: the kinds that hit a line reader's and a scanner's weak
// spots (numbers, separators, line ends, truncation, repetition).
void mutate(std::string& s, std::mt19937& rng) {
    static const char* tokens[] = {"nan", "-inf", "1e39",        "-5",    "1000000000", ",",   "\n",
                                   "//",  "\r",   "99999999999", "0x1p3", "",           "\xB0"};
    auto pick = [&](size_t n) { return n == 0 ? size_t{0} : rng() % n; };
    size_t pos = pick(s.size() + 1);
    switch (rng() % 5) {
        case 0:
            if (!s.empty()) s[pick(s.size())] = static_cast<char>(rng());
            break;
        case 1:
            s.insert(pos, tokens[pick(std::size(tokens))]);
            break;
        case 2:
            s.erase(pos, pick(40));
            break;
        case 3:
            s.resize(pos);
            break;
        default: {
            size_t len = pick(200);
            std::string piece = s.substr(pick(s.size() + 1), len);
            s.insert(pos, piece);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    const char* dir = argc > 2 ? argv[2] : nullptr;
    long written = 0;
    const auto take = [&](const std::string& input) {
        if (!dir) {
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
            return;
        }
        char name[32];
        std::snprintf(name, sizeof name, "/%05ld.TV", written++);
        std::FILE* f = std::fopen((dir + std::string(name)).c_str(), "wb");
        if (!f || std::fwrite(input.data(), 1, input.size(), f) != input.size() ||
            std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write into %s\n", dir);
            std::exit(1);
        }
    };
    std::mt19937 rng(20261206);
    std::vector<std::string> base = seeds();
    for (long i = 0; i < runs; ++i) {
        std::string input = base[i % base.size()];
        int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits; ++e) mutate(input, rng);
        take(input);
    }
    // Then 200 files of random bytes, every other one behind the data file's mark.
    for (int round = 0; round < 200; ++round) {
        std::string junk(rng() % 4001, '\0');
        for (char& c : junk) c = static_cast<char>(rng());
        if (round % 2) junk = CSlideCalcData::kMark + ("\n" + junk);
        take(junk);
    }
    if (!dir)
        std::printf("fuzz replay: %ld mutated and 200 random inputs read without fault\n", runs);
    return 0;
}
