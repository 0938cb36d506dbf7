"""Reads a DXF file with ezdxf, an independent reader, and prints what it found.

Usage: dxf_check.py FILE
Prints one line per finding, UTF-8:
    VERSION <dxfversion> <codepage>
    AUDIT <errors> <fixes>
    LINE <color> <linetype> x1 y1 x2 y2
    POLYLINE <color> <linetype> <closed> x y sw ew ; x y sw ew ; ...
    CIRCLE <color> x y r
    TEXT <color> <style> x y height angle <text>
Exits 1 when the file cannot be read.
"""
import sys

import ezdxf
from ezdxf import recover


def fmt(v):
    return "%.4f" % v


def main():
    try:
        doc, auditor = recover.readfile(sys.argv[1])
    except Exception as exc:  # noqa: BLE001 - any failure means unreadable
        print("UNREADABLE", exc)
        return 1
    out = []
    out.append("VERSION %s %s" % (doc.dxfversion, doc.header.get("$DWGCODEPAGE", "")))
    audit = doc.audit()
    out.append("AUDIT %d %d" % (len(audit.errors) + len(auditor.errors), len(audit.fixes)))
    for e in doc.modelspace():
        t = e.dxftype()
        color = e.dxf.get("color", 256)
        ltype = e.dxf.get("linetype", "BYLAYER")
        if t == "LINE":
            s, f = e.dxf.start, e.dxf.end
            out.append("LINE %d %s %s %s %s %s" % (color, ltype, fmt(s.x), fmt(s.y), fmt(f.x), fmt(f.y)))
        elif t == "POLYLINE":
            pts = []
            for v in e.vertices:
                loc = v.dxf.location
                pts.append("%s %s %s %s" % (fmt(loc.x), fmt(loc.y),
                                            fmt(v.dxf.get("start_width", 0.0)),
                                            fmt(v.dxf.get("end_width", 0.0))))
            out.append("POLYLINE %d %s %d %s" % (color, ltype, 1 if e.is_closed else 0, " ; ".join(pts)))
        elif t == "CIRCLE":
            c = e.dxf.center
            out.append("CIRCLE %d %s %s %s" % (color, fmt(c.x), fmt(c.y), fmt(e.dxf.radius)))
        elif t == "TEXT":
            p = e.dxf.insert
            out.append("TEXT %d %s %s %s %s %s %s" % (color, e.dxf.get("style", "STANDARD"), fmt(p.x), fmt(p.y),
                                                    fmt(e.dxf.height), fmt(e.dxf.get("rotation", 0.0)), e.dxf.text))
        else:
            out.append("OTHER %s" % t)
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
