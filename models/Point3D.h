#pragma once
// Three doubles x, y, z: a position, a size or an angle triple
// (azimuth, rotation, elevation in degrees, in that order).

class CArchive;

class CPoint3D {
public:
    CPoint3D() = default;
    CPoint3D(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    // Turns this point by the angle triple a (azimuth, rotation, elevation).
    void Rotate(const CPoint3D& angles);
    // The exact inverse of Rotate.
    void RotateBack(const CPoint3D& angles);
    // Fills the corner block (x0..x3, y0..y3, z0..z3) of the rectangle with
    // this point as origin and the given size; the first size component that
    // is 0.0 (tested z, x, y) selects the plane; none leaves it unchanged.
    void GetRectCorners(double corners[12], const CPoint3D& size) const;

    // x, y, z as three doubles.
    void Serialize(CArchive& ar);

    bool operator==(const CPoint3D&) const = default;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
