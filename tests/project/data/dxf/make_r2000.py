#!/usr/bin/env python3
"""Writes the newer-release import drawings: the worked section of the import
tests in millimetres, slip and water as lightweight polylines, the slope as a
heavy 2D polyline, plus one polyline by layer. The header and tables are those
of lwpolyline_r2000_m.dxf (written by ezdxf); only the entities are ours.
Run from this directory: python3 make_r2000.py"""

TEMPLATE = "lwpolyline_r2000_m.dxf"
YELLOW, GREEN, BLUE, BY_LAYER = 2, 3, 5, 256
handle = [0x100]


def tag(code, value):
    return "%3d\n%s\n" % (code, value)


def entity_head(kind, colour, layer="0", subclass="AcDbEntity"):
    handle[0] += 1
    return (tag(0, kind) + tag(5, "%X" % handle[0]) + tag(330, "17") + tag(100, subclass) +
            tag(8, layer) + tag(62, colour))


def lwpolyline(colour, points):
    text = entity_head("LWPOLYLINE", colour) + tag(100, "AcDbPolyline")
    text += tag(90, len(points)) + tag(70, 0)
    for x, y in points:
        text += tag(10, x) + tag(20, y)
    return text


def polyline2d(colour, points):
    text = entity_head("POLYLINE", colour) + tag(100, "AcDb2dPolyline") + tag(66, 1)
    text += tag(10, 0.0) + tag(20, 0.0) + tag(30, 0.0) + tag(70, 0)
    for x, y in points:
        text += entity_head("VERTEX", colour) + tag(100, "AcDbVertex")
        text += tag(100, "AcDb2dVertex") + tag(10, x) + tag(20, y) + tag(30, 0.0)
    return text + entity_head("SEQEND", colour)


def main():
    with open(TEMPLATE, newline="") as f:
        template = f.read()
    head, rest = template.split("ENTITIES\n", 1)
    tail = rest[rest.index("  0\nENDSEC\n"):]
    mm = lambda pts: [(x * 1000.0, y * 1000.0) for x, y in pts]
    entities = (lwpolyline(BY_LAYER, mm([(1, 1), (2, 2)])) +
                lwpolyline(YELLOW, mm([(0, 0), (10, -2), (20, -3)])) +
                polyline2d(GREEN, mm([(-5, 1), (0, 3), (20, 5)])) +
                lwpolyline(BLUE, mm([(2, -1), (18, 0.5)])))
    with open("section_r2000_mm.dxf", "w", newline="") as f:
        f.write(head + "ENTITIES\n" + entities + tail)


if __name__ == "__main__":
    main()
