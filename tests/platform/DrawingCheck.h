// Test helpers for drawings: a drawing as text, one entity a line, held against
// an expected file; and the ezdxf scripts of tests/platform/data run on a DXF
// file (needs TALVOR_EZDXF_PYTHON and TALVOR_PLATFORM_TEST_DATA).
#pragma once

#include "platform/Drawing.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include <sys/wait.h>

namespace drawing_check {

inline std::string num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, " %.3f", std::fabs(v) < 5e-4f ? 0.0f : v);
    return buf;
}

// L(ine), P(olyline), C(ircle), T(ext) with colour, line type, the points with
// their widths, the radius or the text's style, height, angle, width factor.
inline std::string dump(const CBase_SGT& d) {
    std::string out;
    for (const DrawEntity& e : d.entities()) {
        out +=
            std::string(1, "LPCT"[int(e.kind)]) + " " + std::to_string(e.color) + " " + e.lineType;
        for (const DrawVertex& v : e.points)
            out += num(v.x) + num(v.y) + num(v.startWidth) + num(v.endWidth);
        if (e.kind == DrawEntityKind::Circle) out += " r" + num(e.radius);
        if (e.kind == DrawEntityKind::Text)
            out += " " + e.style + num(e.height) + num(e.angle) + num(e.widthFactor) + " " + e.text;
        out += "\n";
    }
    return out;
}

// `text` against dataDir/name.txt below its leading '#' note lines; a
// mismatch leaves name.txt.out beside it.
inline void expectAsExpected(const std::string& text, const std::string& dataDir,
                             const std::string& name) {
    std::string notes, line;
    std::istringstream file(readBytes(dataDir + "/" + name + ".txt"));
    while (std::getline(file, line))
        if (line.rfind("#", 0) == 0) notes += line + "\n";
    SCOPED_TRACE(name);
    expectSameAsFile(notes + text, dataDir + "/" + name + ".txt");
}

// Runs a script of tests/platform/data with ezdxf; its output, *status its
// exit status. dxf_check.py FILE prints what ezdxf finds: "VERSION <version>
// <code page>", "AUDIT <errors> <fixes>", then a line per entity; make_dxf.py
// FILE R12|R2000 writes its reference drawing.
inline std::string runScript(const std::string& args, int* status) {
    std::string out, command = std::string(TALVOR_EZDXF_PYTHON) + " '" + TALVOR_PLATFORM_TEST_DATA +
                               "/" + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    char buf[4096];
    for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    int rc = pipe ? pclose(pipe) : -1;
    *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

// Written, read back by ezdxf without audit errors or unknown entities, as R12,
// every text back in Chinese.
inline void expectCleanInEzdxf(const DXF& d, const std::string& path) {
    ASSERT_EQ(d.Write_MemDxf_To_File(path), 1);
    int status = -1;
    std::string found = runScript("dxf_check.py' '" + path + "'", &status);
    ASSERT_EQ(status, 0) << found;
    EXPECT_EQ(found.rfind("VERSION AC1009 ANSI_936\nAUDIT 0 ", 0), 0u) << found;
    EXPECT_EQ(found.find("\nOTHER "), std::string::npos) << found;
    for (const DrawEntity& e : d.entities())
        EXPECT_TRUE(e.kind != DrawEntityKind::Text ||
                    found.find(" " + e.text + "\n") != std::string::npos)
            << e.text;
}

}  // namespace drawing_check
