// Every file a calculation writes, and what it prints, hashed and held
// against the manifest in data/output-manifest.txt: a change of structure
// must not change one byte of a report, drawing or data file. The items are
// the worked example under every goal and target, the golden items of these
// tests, the shipped templates, the verification cases and 200 random items.
//
// Picture data inside the RTF is left out of the hash: the encoder may change
// while the picture stays the same. After a deliberate change of output, write
// the manifest anew with TALVOR_WRITE_MANIFEST=1 and read the diff.
#include "run/ManifestItems.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#ifdef TALVOR_CLI
namespace {

namespace fs = std::filesystem;

std::string hashText(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// Long runs of hex digits (line breaks among them) only occur as picture data.
std::string withoutPictureData(const std::string& rtf) {
    const auto inRun = [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) || c == '\r' || c == '\n';
    };
    std::string out;
    for (size_t i = 0; i < rtf.size();) {
        size_t j = i;
        while (j < rtf.size() && inRun(rtf[j])) ++j;
        if (j - i >= 64) {
            out += "<picture>";
            i = j;
        } else {
            out += rtf[i++];
        }
    }
    return out;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

using Manifest = std::map<std::string, std::string>;  // "case file" -> hash

// Calculates the item file item.TV in a fresh directory and records every
// file there, the exit status and what was printed.
void calcCase(const std::string& name, const std::string& itemBytes, Manifest& m) {
    CliRun cli;
    writeBytes(cli.dir.file("item.TV"), itemBytes);
    const int status = cli.run("calc item.TV");
    m[name + " status"] = std::to_string(status);
    m[name + " stdout"] = hashText(replaceAll(cli.out(), cli.dir.path(), "<dir>/"));
    m[name + " stderr"] = hashText(replaceAll(cli.err(), cli.dir.path(), "<dir>/"));
    for (const auto& entry : fs::directory_iterator(cli.dir.path())) {
        const std::string file = entry.path().filename().string();
        if (file == "stdout" || file == "stderr") continue;
        std::string bytes = readBytes(entry.path().string());
        if (file.ends_with(".RTF")) bytes = withoutPictureData(bytes);
        m[name + " " + file] = hashText(bytes);
    }
}

Manifest currentManifest() {
    Manifest m;
    for (const ManifestItem& item : manifestItems()) calcCase(item.name, item.bytes, m);
    CliRun verify;
    verify.run(std::string("verify ") + TALVOR_VERIFICATION_DIR);
    m["verify stdout"] = hashText(verify.out());
    return m;
}

Manifest readManifest(const std::string& path) {
    Manifest m;
    std::istringstream in(readBytes(path));
    std::string key1, key2, hash;
    while (in >> key1 >> key2 >> hash) m[key1 + " " + key2] = hash;
    return m;
}

std::string formatManifest(const Manifest& m) {
    std::string out;
    for (const auto& [key, hash] : m) out += key + " " + hash + "\n";
    return out;
}

}  // namespace

TEST(OutputManifest, EveryOutputFileIsByteForByteWhatItWas) {
    const std::string path = std::string(TALVOR_TEST_DATA) + "/output-manifest.txt";
    const Manifest now = currentManifest();
    if (std::getenv("TALVOR_WRITE_MANIFEST")) {
        writeBytes(path, formatManifest(now));
        GTEST_SKIP() << "manifest written to " << path;
    }
    const Manifest expected = readManifest(path);
    ASSERT_FALSE(expected.empty()) << "no manifest at " << path;
    std::vector<std::string> differ;
    for (const auto& [key, hash] : expected) {
        auto it = now.find(key);
        if (it == now.end())
            differ.push_back("missing now: " + key);
        else if (it->second != hash)
            differ.push_back("changed: " + key);
    }
    for (const auto& [key, hash] : now)
        if (!expected.contains(key)) differ.push_back("new output: " + key);
    for (size_t i = 0; i < std::min<size_t>(differ.size(), 20); ++i) ADD_FAILURE() << differ[i];
    EXPECT_EQ(differ.size(), 0u) << "of " << expected.size() << " entries";
}
#endif
