#pragma once
// The grid of the automatic installation: from the coverage distances
// measured around a probe speaker, the speaker density and the layout
// pattern, the spacing of the grid and the positions of its speakers over
// the room rectangle, row by row from the Y0 side, each row from the X0 side.

#include <vector>

class CAutoInstallLayout {
public:
    // Pattern codes.
    enum : int { kRectangle = 0, kHexagonal = 1 };
    // The most speakers one automatic installation lays; a finer grid is
    // refused (the coverage of a speaker that hardly spreads would otherwise
    // fill a large room with millions of installations).
    static constexpr long long kMaxSpeakers = 10000;

    // Why Compute found no grid.
    enum Failure : int { kNoFailure = 0, kNoSpacing, kTooManySpeakers, kNoArea };

    struct Point {
        double x = 0.0;
        double y = 0.0;
    };

    // measured[0], [1]: coverage along +x and -x; [2], [3]: along +y and -y.
    // The room rectangle starts at (x0, y0) and spans lengthX by widthY.
    // False when the spacing is no positive finite number, the grid would
    // hold more than kMaxSpeakers points, or no point lies in the room;
    // m_failure then tells which.
    bool Compute(const double measured[4], int overlapMode, int pattern, double x0, double y0, double lengthX,
                 double widthY);

    // The density factor of the overlap mode (1.0 for an unknown mode).
    static double RectangleFactor(int overlapMode);
    static double HexagonalFactor(int overlapMode);

    // Spacing after Compute: half distances left/right (x1, x2) and
    // down/up (y1, y2); in the hexagonal pattern x1 and x2 are already
    // halved to the distance between neighbouring shifted columns.
    double m_x1 = 0.0, m_x2 = 0.0, m_y1 = 0.0, m_y2 = 0.0;
    int m_nRows = 0;
    int m_nColumns = 0;
    // The positions, in laying order (points beyond the area left out).
    std::vector<Point> m_points;
    Failure m_failure = kNoFailure;
};
