// DXF text made by hand for the reader's hostile cases: block insertions
// that never end or multiply past every limit, and polylines that lie about
// their vertex count, written in a few hundred bytes.
#pragma once

#include <string>
#include <utility>

namespace dxftext {

// Group codes and values alternating, one a line as a DXF file holds them.
inline std::string pairs(std::initializer_list<std::string> codesAndValues) {
    std::string s;
    // Appended piece by piece: "a" + std::string&& trips a false -Wrestrict in g++ 12.
    for (const std::string& text : codesAndValues) {
        s += text;
        s += '\n';
    }
    return s;
}

inline std::string line(int x, int y) {
    using std::to_string;
    return pairs({"0", "LINE", "8", "0", "10", to_string(x), "20", to_string(y), "30", "0", "11",
                  to_string(x + 1), "21", to_string(y + 1), "31", "0"});
}

inline std::string insert(const std::string& block, int rows = 1, int cols = 1) {
    const std::string across = std::to_string(cols), down = std::to_string(rows);
    return pairs({"0",  "INSERT", "8",  "0",    "2",  block, "10", "0", "20", "0",
                  "30", "0",      "70", across, "71", down,  "44", "1", "45", "1"});
}

inline std::string block(const std::string& name, const std::string& body) {
    return pairs({"0", "BLOCK", "8", "0", "2", name, "70", "0", "10", "0", "20", "0", "30", "0"}) +
           body + pairs({"0", "ENDBLK", "8", "0"});
}

inline std::string file(const std::string& blocks, const std::string& entities) {
    return pairs({"0", "SECTION", "2", "BLOCKS"}) + blocks +
           pairs({"0", "ENDSEC", "0", "SECTION", "2", "ENTITIES"}) + entities +
           pairs({"0", "ENDSEC", "0", "EOF"});
}

// An R2000 light-weight polyline with handle `handle` that declares `count`
// vertices (group 90, as written) and holds `held` of them.
inline std::string lwpolyline(const std::string& handle, const std::string& count, int held) {
    std::string s = pairs({"0", "LWPOLYLINE", "5", handle, "8", "0", "90", count, "70", "0"});
    for (int i = 0; i < held; ++i)
        s += pairs({"10", std::to_string(i), "20", std::to_string(i % 2)});
    return s;
}

// A drawing of entities only, as R2000 writers leave one.
inline std::string entities(const std::string& body) {
    return pairs({"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1015", "0", "ENDSEC", "0",
                  "SECTION", "2", "ENTITIES"}) +
           body + pairs({"0", "ENDSEC", "0", "EOF"});
}

inline std::string repeated(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A block that inserts itself ten times.
inline std::string selfInsertionFan() {
    return file(block("A", line(0, 0) + repeated(insert("A"), 10)), insert("A"));
}

// Two blocks that insert each other three times each.
inline std::string mutualInsertion() {
    return file(block("A", line(0, 0) + repeated(insert("B"), 3)) +
                    block("B", line(0, 1) + repeated(insert("A"), 3)),
                insert("A"));
}

// Sixteen blocks, each a 10 x 10 array of the one before.
inline std::string nestedArrays() {
    std::string blocks = block("L0", line(0, 0));
    for (int k = 1; k < 16; ++k) {
        std::string name = "L", inner = "L";
        name += std::to_string(k);
        inner += std::to_string(k - 1);
        blocks += block(name, insert(inner, 10, 10));
    }
    return file(blocks, insert("L15"));
}

}  // namespace dxftext
