// The WebAssembly core under node against the native program, on the items of
// the output manifest: every file `calc --keep-directives` writes (the report
// with its drawing directives, the data file, the DXF drawings). Both are run
// here, on the same items; the pictures of the RTF report need Qt and are the
// native program's alone.
//
// Every item, the random ones too, is held byte for byte: the module computes
// with glibc's own mathematical functions (cmake/GlibcLibm.cmake), so that even
// an ill-conditioned item prints the native digits.
#include "support/CliRun.h"
#include "run/ManifestItems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#if defined(TALVOR_CLI) && defined(TALVOR_WASM_CALC)
namespace {

namespace fs = std::filesystem;

// File name -> bytes, of what a run left in dir besides its captured output.
std::map<std::string, std::string> resultFiles(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (name != "stdout" && name != "stderr") files[name] = readBytes(e.path().string());
    }
    return files;
}

// The module computes sin, cos, tan and pow as glibc's builds for x86-64
// processors with FMA and AVX2 do; on others (or with those masked through
// GLIBC_TUNABLES) the native program runs glibc's other builds, whose last
// bits differ.
bool nativeRunsGlibcFmaBuilds() {
#if defined(__x86_64__) && defined(__GLIBC__)
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    const std::string masked = tunables ? tunables : "";
    return __builtin_cpu_supports("fma") && __builtin_cpu_supports("avx2") &&
           masked.find("-FMA") == std::string::npos && masked.find("-AVX2") == std::string::npos;
#else
    return false;
#endif
}

}  // namespace

TEST(WasmCore, WritesTheNativeProgramsResultFiles) {
    if (!nativeRunsGlibcFmaBuilds())
        GTEST_SKIP() << "this processor lacks FMA or AVX2 (or is no x86-64 with glibc, or they are "
                        "masked): the native "
                        "program's sin, cos, tan and pow are not the builds the WebAssembly module "
                        "reproduces, and their last bits differ";
    const std::vector<ManifestItem> items = manifestItems();
    TempDir wasm;
    std::string args;
    for (const ManifestItem& item : items) {
        fs::create_directory(wasm.file(item.name));
        writeBytes(wasm.file(item.name + "/item.TV"), item.bytes);
        args.append(" ").append(CliRun::quoted(wasm.file(item.name + "/item.TV")));
    }
    // One module runs every item, as a page would.
    const std::string command = std::string(TALVOR_WASM_CALC) + args + " >" +
                                CliRun::quoted(wasm.file("stdout")) + " 2>" +
                                CliRun::quoted(wasm.file("stderr"));
    std::system(command.c_str());
    const std::string printed = readBytes(wasm.file("stdout"));
    ASSERT_NE(printed.find("items done"), std::string::npos)
        << "the module stopped: " << readBytes(wasm.file("stderr")).substr(0, 2000);

    size_t identical = 0;
    std::vector<std::string> differ;
    for (const ManifestItem& item : items) {
        CliRun native;
        writeBytes(native.dir.file("item.TV"), item.bytes);
        native.run("calc --keep-directives item.TV");
        const auto expected = resultFiles(native.dir.path());
        const auto actual = resultFiles(wasm.file(item.name));
        for (const auto& [name, bytes] : expected) {
            auto it = actual.find(name);
            if (it == actual.end())
                differ.push_back(item.name + " " + name + ": not written");
            else if (it->second == bytes)
                ++identical;
            else
                differ.push_back(item.name + " " + name + ": differs");
        }
        for (const auto& [name, bytes] : actual)
            if (!expected.contains(name)) differ.push_back(item.name + " " + name + ": extra");
    }
    for (size_t i = 0; i < std::min<size_t>(differ.size(), 20); ++i) ADD_FAILURE() << differ[i];
    EXPECT_EQ(differ.size(), 0u);
    // Every item leaves at least its data file and its report.
    EXPECT_GE(identical, 2 * items.size());
    std::printf("%zu items: %zu files byte for byte\n", items.size(), identical);
}
#endif
