#pragma once
// Side view of a line array in an arrangement dialog's preview: the module
// outlines stacked up and down from the rigging point, the fit of the array
// into the preview, and the painting (white ground, green outlines, a circle
// at the rigging point and an arrow pointing to the front).

#include "dialogs/ArrangementViewParam.h"
#include "models/AxisEntity.h"
#include "platform/GdiTypes.h"

#include <vector>

class IDrawingContext;

// One module in side view: P0 the lower front end, P1 the upper front end,
// P2 the lower rear corner, P3 the upper rear corner, each (x, z), and the
// splay accumulated from the rigging point in degrees.
struct CModuleOutline {
    double p0x = 0.0, p0z = 0.0;
    double p1x = 0.0, p1z = 0.0;
    double p2x = 0.0, p2z = 0.0;
    double p3x = 0.0, p3z = 0.0;
    double angle = 0.0;
};

// What a preview draws: the module vectors (x offset, y length, z splay),
// per module the wedge angle of its outline in degrees and its depth, and
// the counts (upper modules first in the arrays, then lower ones).
struct CLineArrayPreviewData {
    const CAxisEntityArray* entities = nullptr;
    const std::vector<double>* wedges = nullptr;
    const std::vector<double>* depths = nullptr;
};

namespace LineArrayPreview {

// How each module outline is drawn.
enum class OutlineStyle {
    // A closed outline per module: P1, P0, P2, P3, P1.
    Closed,
    // Boxes of 8 elements: the front and rear edges of every element, the
    // lower side only under the last element of a box and the upper side
    // only over its first.
    BoxesOfEight,
};

constexpr int kArrowLength = 40;
constexpr int kMarkerRadius = 10;

// The outline above prev (the next upper module) and below prev (the next
// lower module); wedgeRad is the wedge angle in radians.
CModuleOutline NextUpper(const CModuleOutline& prev, double length, double splay, double wedgeRad, double depth);
CModuleOutline NextLower(const CModuleOutline& prev, double length, double splay, double wedgeRad, double depth);

// The outlines of the upper stack (indices 0 .. upper-1, from the rigging
// point upward) and of the lower stack (indices upper .. upper+lower-1, from
// the rigging point downward). wedgeFactor 1.0 for the fit, 0.5 for drawing.
// Indices beyond the arrays are not drawn.
std::vector<CModuleOutline> UpperOutlines(const CLineArrayPreviewData& data, unsigned upper, double wedgeFactor);
std::vector<CModuleOutline> LowerOutlines(const CLineArrayPreviewData& data, unsigned upper, unsigned lower,
                                          double wedgeFactor);

// Fits the array into the client area: stores the extents (left, top, 0.0,
// bottom) and the scale in the view parameters.
void FitToWindow(CArrangementViewParam& param, const CLineArrayPreviewData& data, const CRect& client);

// Fits and paints the whole preview: the marker circle of markerRadius
// pixels at the rigging point and the arrow of arrowLength pixels.
void Paint(IDrawingContext& dc, const CRect& client, CArrangementViewParam& param, const CLineArrayPreviewData& data,
           OutlineStyle style, int arrowLength = kArrowLength, int markerRadius = kMarkerRadius);

}  // namespace LineArrayPreview
