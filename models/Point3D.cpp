#include "models/Point3D.h"

#include "models/Geometry.h"
#include "platform/Archive.h"

void CPoint3D::Rotate(const CPoint3D& angles)
{
    RotatePoint(x, y, z, angles.x, angles.z, angles.y);
}

void CPoint3D::RotateBack(const CPoint3D& angles)
{
    RotatePointReverse(x, y, z, angles.y, angles.z, angles.x);
}

void CPoint3D::GetRectCorners(double c[12], const CPoint3D& size) const
{
    const double dx = size.x;
    const double dy = size.y;
    const double dz = size.z;
    auto set = [c](int i, double px, double py, double pz) {
        c[i] = px;
        c[4 + i] = py;
        c[8 + i] = pz;
    };
    if (dz == 0.0) {
        set(0, x, y, z);
        set(1, x, y + dy, z);
        set(2, x + dx, y + dy, z);
        set(3, x + dx, y, z);
    } else if (dx == 0.0) {
        set(0, x, y, z);
        set(1, x, y, z + dz);
        set(2, x, y + dy, z + dz);
        set(3, x, y + dy, z);
    } else if (dy == 0.0) {
        set(0, x, y, z);
        set(1, x + dx, y, z);
        set(2, x + dx, y, z + dz);
        set(3, x, y, z + dz);
    }
}

void CPoint3D::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << x << y << z;
    else
        ar >> x >> y >> z;
}
