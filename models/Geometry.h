#pragma once
// Rotations by an angle triple and the inside test of a projected quadrangle.
// Angles are in degrees; Pi() is 4*atan(1).

#include "models/Point3D.h"

double Pi();
double DegreesToRadians(double deg);
double RadiansToDegrees(double rad);
// The direction of meridian r and polar angle p (degrees) as a unit vector:
// x along the aiming axis, the meridian turning from y towards z.
CPoint3D DirectionVector(double r, double p);
double Distance3D(const CPoint3D& a, const CPoint3D& b);

// (x, y, z) := M(a, b, c)(x, y, z).
void RotatePoint(double& x, double& y, double& z, double a, double b, double c);
// (x, y, z) := transpose(M(c, b, a))(x, y, z).
void RotatePointReverse(double& x, double& y, double& z, double a, double b, double c);
// M applied with precomputed cosines and sines.
void RotateComponents(double& x, double& y, double& z, double ca, double cc, double cb, double sa, double sc, double sb);
// M applied to each of the four corners of a corner block.
void RotateFrame(double corners[12], double a, double b, double c);
void CopyAndRotateFrame(double dst[12], const double src[12], double a, double b, double c);

struct IntPoint {
    int x = 0;
    int y = 0;
};
// 1 when (px, py) lies inside the quadrangle q (edges included), else 0.
int IsPointInQuadrangle(int px, int py, const IntPoint q[4]);
