// The in-memory drawing DXF: a CBase_SGT with its extent, the insertion of one
// drawing into another, and DXF files through dxflib (R12 with GBK texts when
// written; R12 to R2018 read). Pictures of a drawing are src/render's.
#pragma once

#include "platform/DrawingPen.h"

#include <memory>
#include <string>

class DXF : public CBase_SGT {
  public:
    // Empties the drawing: no entities, default tables, pen at the origin.
    int New_MemDxf();
    // The tables are kept with the drawing and written with it; kept so that
    // callers can make the drawing the way every drawing is made.
    int Write_Tables() { return 1; }

    // The extent over every entity: line and polyline vertices (without their
    // widths), circles, and the boxes of texts (width by GetTextWidth).
    CFRect GetFRect() const;

    // Copies the entities of `other` into this drawing, scaled by (sx, sy),
    // rotated by `angle` degrees about its origin and placed with its origin at
    // (x, y). Text styles and line types it uses are added when missing.
    int InsertDxf(const DXF* other, float x, float y, float angle, float sx, float sy);

    // Writes the drawing as an R12 DXF file (texts in GBK, code page
    // ANSI_936), atomically; 1 when written.
    int Write_MemDxf_To_File(const std::string& path) const;
    // The DXF file's bytes as Write_MemDxf_To_File writes them; empty when
    // dxflib could not produce them.
    std::string formatDxf() const;

    // Replaces the drawing by the lines, polylines, circles, texts and block
    // insertions of a DXF file (R12 to R2018, inserts exploded, "by layer"
    // colours resolved). 0, with the drawing unchanged, when the file cannot
    // be read or holds no DXF sections.
    int Read_FileDxf_To_Mem(const std::string& path);
    // The same; when a file that could be parsed is refused because its block
    // insertions would expand past the limits (a block inserting itself,
    // arrays of arrays, more than two million entities), why names the block
    // and the limit; a drawing that lies about a count names the entity, its
    // handle and line; a folder, device or pipe is named as such. why stays
    // empty for a file that is not a readable DXF.
    int Read_FileDxf_To_Mem(const std::string& path, std::string* why);
};

// A new, empty drawing; null when none could be made.
std::unique_ptr<DXF> NewMemDxf();
