#!/usr/bin/env python3
"""Writes the section-line drawings the DXF import tests read, with ezdxf as an
independent DXF writer. Run from this directory: python3 make_drawings.py"""
import ezdxf

YELLOW, GREEN, BLUE, RED = 2, 3, 5, 1


def section(doc, k):
    """The worked section of the import tests, coordinates times k."""
    msp = doc.modelspace()
    s = lambda pts: [(x * k, y * k) for x, y in pts]
    # Things the import must pass over: other colours, a plain line, a
    # by-layer polyline on the white layer 0, a circle and a text.
    msp.add_polyline2d(s([(0, 0), (5, 5)]), dxfattribs={"color": RED})
    msp.add_line((0, 0), (30 * k, 30 * k), dxfattribs={"color": YELLOW})
    msp.add_polyline2d(s([(1, 1), (2, 2)]))
    msp.add_circle((0, 0), 1 * k, dxfattribs={"color": GREEN})
    msp.add_text("滑坡断面", dxfattribs={"color": BLUE, "height": 0.5 * k})
    msp.add_polyline2d(s([(0, 0), (10, -2), (20, -3)]), dxfattribs={"color": YELLOW})
    msp.add_polyline2d(s([(-5, 1), (0, 3), (20, 5)]), dxfattribs={"color": GREEN})
    msp.add_polyline2d(s([(2, -1), (18, 0.5)]), dxfattribs={"color": BLUE})


def save(doc, name):
    doc.saveas(name, encoding="gbk")


def by_layer(name):
    """A minimal R12 drawing written line by line: layer SLIP is yellow; one
    polyline lies on it "by layer" (colour 256), one green polyline on layer 0
    carries its colour itself."""
    def polyline(layer, colour, vertices):
        return ("0\nPOLYLINE\n8\n%s\n62\n%d\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n%s"
                "0\nSEQEND\n8\n%s\n" % (layer, colour, vertices, layer))
    v = "".join("0\nVERTEX\n8\n0\n10\n%s\n20\n%s\n30\n0.0\n" % xy
                for xy in (("0", "0"), ("10", "2"), ("20", "8")))
    text = ("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n"
            "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n"
            "0\nLAYER\n2\nSLIP\n70\n0\n62\n2\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n"
            "0\nSECTION\n2\nENTITIES\n" + polyline("SLIP", 256, v) + polyline("0", 3, v) +
            "0\nENDSEC\n0\nEOF\n")
    with open(name, "w", newline="") as f:
        f.write(text)


def main():
    for name, k in (("section_m.dxf", 1.0), ("section_mm.dxf", 1000.0)):
        doc = ezdxf.new("R12")
        section(doc, k)
        save(doc, name)

    # The slip surface starts away from the origin: everything is measured from it.
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_polyline2d([(100, 50), (110, 48), (120, 47)], dxfattribs={"color": YELLOW})
    msp.add_polyline2d([(95, 51), (120, 55)], dxfattribs={"color": GREEN})
    msp.add_polyline2d([(102, 49), (118, 50.5)], dxfattribs={"color": BLUE})
    save(doc, "shifted_m.dxf")

    doc = ezdxf.new("R12")
    doc.modelspace().add_polyline2d([(3, 2), (10, 4), (12, 4.5)], dxfattribs={"color": BLUE})
    save(doc, "water_only_m.dxf")

    # Two yellow polylines: the second, shorter one wins.
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_polyline2d([(0, 0), (1, 1), (2, 2), (3, 3)], dxfattribs={"color": YELLOW})
    msp.add_polyline2d([(1, 0), (4, -1)], dxfattribs={"color": YELLOW})
    save(doc, "two_slips_m.dxf")

    # 151 vertices: only the first 100 segments fit.
    doc = ezdxf.new("R12")
    doc.modelspace().add_polyline2d([(i, -0.1 * i) for i in range(151)],
                                    dxfattribs={"color": YELLOW})
    save(doc, "long_slip_m.dxf")

    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_polyline2d([(0, 0), (5, 5)], dxfattribs={"color": RED})
    msp.add_line((0, 0), (3, 3), dxfattribs={"color": YELLOW})
    save(doc, "no_lines.dxf")

    # A lightweight polyline of a newer release, as CAD programs save today.
    doc = ezdxf.new("R2000")
    doc.modelspace().add_lwpolyline([(0, 0), (10, -2), (20, -3)], dxfattribs={"color": YELLOW})
    save(doc, "lwpolyline_r2000_m.dxf")

    by_layer("by_layer_m.dxf")


if __name__ == "__main__":
    main()
