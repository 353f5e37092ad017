#include "models/Geometry.h"

#include <cmath>
#include <cstdint>

double Pi()
{
    static const double pi = 4.0 * std::atan(1.0);
    return pi;
}

double DegreesToRadians(double deg)
{
    return deg * Pi() / 180.0;
}

double RadiansToDegrees(double rad)
{
    return rad * 180.0 / Pi();
}

CPoint3D DirectionVector(double r, double p)
{
    const double pr = DegreesToRadians(p);
    const double rr = DegreesToRadians(r);
    return CPoint3D(std::cos(pr), std::sin(pr) * std::cos(rr), std::sin(pr) * std::sin(rr));
}

double Distance3D(const CPoint3D& a, const CPoint3D& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void RotateComponents(double& x, double& y, double& z, double ca, double cc, double cb, double sa, double sc, double sb)
{
    const double x0 = x;
    const double y0 = y;
    const double z0 = z;
    x = ca * cb * x0 + sa * cb * y0 - sb * z0;
    y = (sb * sc * ca - sa * cc) * x0 + (sb * sc * sa + cc * ca) * y0 + sc * cb * z0;
    z = (sb * cc * ca + sc * sa) * x0 + (sb * cc * sa - sc * ca) * y0 + cc * cb * z0;
}

void RotatePoint(double& x, double& y, double& z, double a, double b, double c)
{
    const double ar = DegreesToRadians(a);
    const double br = DegreesToRadians(b);
    const double cr = DegreesToRadians(c);
    RotateComponents(x, y, z, std::cos(ar), std::cos(cr), std::cos(br), std::sin(ar), std::sin(cr), std::sin(br));
}

void RotatePointReverse(double& x, double& y, double& z, double a, double b, double c)
{
    // The transpose of M(c, b, a): its first and third angles swapped.
    const double ar = DegreesToRadians(c);
    const double br = DegreesToRadians(b);
    const double cr = DegreesToRadians(a);
    const double ca = std::cos(ar), sa = std::sin(ar);
    const double cb = std::cos(br), sb = std::sin(br);
    const double cc = std::cos(cr), sc = std::sin(cr);
    const double x0 = x;
    const double y0 = y;
    const double z0 = z;
    x = ca * cb * x0 + (sb * sc * ca - sa * cc) * y0 + (sb * cc * ca + sc * sa) * z0;
    y = sa * cb * x0 + (sb * sc * sa + cc * ca) * y0 + (sb * cc * sa - sc * ca) * z0;
    z = -sb * x0 + sc * cb * y0 + cc * cb * z0;
}

void RotateFrame(double corners[12], double a, double b, double c)
{
    const double ar = DegreesToRadians(a);
    const double br = DegreesToRadians(b);
    const double cr = DegreesToRadians(c);
    const double ca = std::cos(ar), sa = std::sin(ar);
    const double cb = std::cos(br), sb = std::sin(br);
    const double cc = std::cos(cr), sc = std::sin(cr);
    for (int i = 0; i < 4; ++i)
        RotateComponents(corners[i], corners[4 + i], corners[8 + i], ca, cc, cb, sa, sc, sb);
}

void CopyAndRotateFrame(double dst[12], const double src[12], double a, double b, double c)
{
    for (int i = 0; i < 12; ++i)
        dst[i] = src[i];
    RotateFrame(dst, a, b, c);
}

int IsPointInQuadrangle(int px, int py, const IntPoint q[4])
{
    // Each edge is looked at in a frame turned a further quarter turn, in
    // y-up coordinates (u, w) = (dx, -dy). Integer negation keeps every zero
    // a positive zero, so points on an edge or corner count as inside. The
    // differences are taken in 64 bits: corners may lie anywhere in the int
    // range.
    auto angle = [](int i, std::int64_t u, std::int64_t w) {
        switch (i) {
        case 0: return std::atan2(static_cast<double>(w), static_cast<double>(u));
        case 1: return std::atan2(static_cast<double>(-u), static_cast<double>(w));
        case 2: return std::atan2(static_cast<double>(-w), static_cast<double>(-u));
        default: return std::atan2(static_cast<double>(u), static_cast<double>(-w));
        }
    };
    auto difference = [](int to, int from) { return std::int64_t{to} - from; };
    for (int i = 0; i < 4; ++i) {
        const IntPoint& a = q[i];
        const IntPoint& b = q[(i + 1) % 4];
        const double edge = angle(i, difference(b.x, a.x), -difference(b.y, a.y));
        const double point = angle(i, difference(px, a.x), -difference(py, a.y));
        if (!(edge <= point))
            return 0;
    }
    return 1;
}
