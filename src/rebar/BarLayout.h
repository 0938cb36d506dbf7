// Longitudinal bars that can be built: one diameter of 20–40 mm per face,
// single or in bundles of 2 (side by side) or 3 (a triangle), in at most two
// layers across a rectangle's face or one ring round a circle, with a clear
// spacing of at least the bundle's equivalent diameter and a set minimum.
// Units mm.
#pragma once

#include <functional>
#include <string>

struct BarGroup {
    int diameter = 0;  // mm
    int bundle = 1;    // bars per bundle: 1, 2 or 3
    int bundles = 0;   // bundles in the face (or ring)
    int layer1 = 0;    // bundles in the layer at the face
    int layer2 = 0;    // bundles in the second layer
    double centroid =
        0.0;  // from the tension face (rectangle) or the surface (circle) to the bars' centroid
    double clear = 0.0;   // clear spacing between bundles of a layer
    double radius = 0.0;  // circle: radius of the ring of bar centres

    int bars() const { return bundles * bundle; }
    double area() const;
    // A bundle counts as one bar of sqrt(bundle) · d.
    double equivalentDiameter() const;
    // "12Φ32", "8Φ28(2并)"; empty when no bars.
    std::string label() const;
    bool empty() const { return bundles == 0; }
};

// Where the bars go: the face width between the stirrup's inner faces (or the
// circle's radius), the depth of the cover and the stirrup before the first
// layer, and the least clear spacing set by the engineer.
struct BarSpace {
    double width = 0.0;          // rectangle: b - 2 (cover + stirrup)
    double radius = 0.0;         // circle: r
    double inset = 0.0;          // cover + stirrup diameter
    double leastClear = 50.0;    // the set minimum
    double fixedCentroid = 0.0;  // > 0: the centroid's distance is fixed
};

// Whether a candidate carries what it must: true when it is enough.
using BarCheck = std::function<bool(const BarGroup&)>;

// The fewest bars, then the least area, then one layer before two, that pass
// check; an empty group when none fits.
BarGroup ChooseFaceBars(const BarSpace& space, const BarCheck& check);
BarGroup ChooseRingBars(const BarSpace& space, const BarCheck& check);

// The layout of n bundles of d × bundle on a face, or an empty group when they
// do not fit in two layers.
BarGroup LayFaceBars(const BarSpace& space, int d, int bundle, int n);
BarGroup LayRingBars(const BarSpace& space, int d, int bundle, int n);

// The width and height a bundle takes.
double BundleWidth(int d, int bundle);
double BundleHeight(int d, int bundle);
