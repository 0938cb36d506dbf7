"""Writes a DXF file with ezdxf for the reader tests.

Usage: make_dxf.py FILE VERSION      (VERSION R12 or R2000)
The drawing holds, in model space:
  a polyline of colour 2 through (0,0) (10,0) (10,5) with widths 1 on its first segment,
  a polyline of colour 3 through (0,0) (-5,-5), closed flag off,
  a polyline of colour 5 through (1,1) (2,3) (4,4) (8,2),
  a polyline of colour 1 through (0,10) (20,10),
  a line of colour 6 from (1,2) to (3,4) on linetype DOT,
  a line on layer "RED" (colour 1) with colour by layer from (0,0) to (0,7),
  a circle of colour 4 at (5,5) radius 2,
  a text "滑面线 A" of colour 7 at (2,3), height 2.5, rotation 30,
  a block "MARK" (a line (0,0)-(1,0) by block colour) inserted at (100,50) with scale 2, colour 3.
R12 polylines are POLYLINE entities, R2000 ones LWPOLYLINE.
"""
import sys

import ezdxf


def main():
    path, version = sys.argv[1], sys.argv[2]
    doc = ezdxf.new(version)
    if "DOT" not in doc.linetypes:
        doc.linetypes.add("DOT", pattern=[0.2, 0.0, -0.2])
    doc.layers.add("RED", color=1)
    msp = doc.modelspace()
    block = doc.blocks.new("MARK")
    block.add_line((0, 0), (1, 0), dxfattribs={"color": 0})

    def poly(points, color, widths=None):
        if version == "R12":
            p = msp.add_polyline2d(points, dxfattribs={"color": color})
            if widths:
                v = p.vertices[0]
                v.dxf.start_width, v.dxf.end_width = widths
            return p
        return msp.add_lwpolyline(points, dxfattribs={"color": color})

    poly([(0, 0), (10, 0), (10, 5)], 2, (1.0, 1.0))
    poly([(0, 0), (-5, -5)], 3)
    poly([(1, 1), (2, 3), (4, 4), (8, 2)], 5)
    poly([(0, 10), (20, 10)], 1)
    msp.add_line((1, 2), (3, 4), dxfattribs={"color": 6, "linetype": "DOT"})
    msp.add_line((0, 0), (0, 7), dxfattribs={"layer": "RED"})
    msp.add_circle((5, 5), 2, dxfattribs={"color": 4})
    msp.add_text("滑面线 A", dxfattribs={"color": 7, "height": 2.5, "rotation": 30, "insert": (2, 3)})
    msp.add_blockref("MARK", (100, 50), dxfattribs={"xscale": 2, "yscale": 2, "color": 3})
    doc.encoding = "gbk"
    doc.header["$DWGCODEPAGE"] = "ANSI_936"
    doc.saveas(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
