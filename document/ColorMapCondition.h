#pragma once
// The settings and results of one SPL map window: band, summation, drawing
// scale, scroll size, margins, view angles and its calculation plane.

#include "document/ListeningPlane.h"
#include "models/Point3D.h"
#include "platform/GdiTypes.h"
#include "platform/Types.h"

class CArchive;

class CColorMapCondition {
public:
    // Everything 0 and an empty plane: a condition to load a record into.
    CColorMapCondition() = default;
    // Takes the values; the plane's dots are taken over from the given plane.
    CColorMapCondition(double frequency, double bandFraction, double scale, int sumMode, const CSize& totalSize,
                       const CRect& margin, const CPoint3D& viewAngles, CListeningPlane& plane);
    // Every field copied, the plane with a copy of every dot.
    CColorMapCondition(const CColorMapCondition& other) = default;
    CColorMapCondition& operator=(const CColorMapCondition& other) = default;

    double GetFrequency() const { return m_dFrequency; }
    void SetFrequency(double f) { m_dFrequency = f; }
    double GetBandFraction() const { return m_dBandFraction; }
    void SetBandFraction(double n) { m_dBandFraction = n; }
    double GetScale() const { return m_dScale; }
    void SetScale(double s) { m_dScale = s; }
    // 0 "Interference", 1 "Energy".
    int GetSumMode() const { return m_nSumMode; }
    void SetSumMode(int mode) { m_nSumMode = mode; }
    CSize GetTotalSize() const { return m_sizeTotal; }
    void SetTotalSize(const CSize& size) { m_sizeTotal = size; }
    CRect& GetMargin() { return m_rectMargin; }
    const CRect& GetMargin() const { return m_rectMargin; }
    void SetMargin(const CRect& margin) { m_rectMargin = margin; }
    // The three view-rotation angles in degrees, changeable in place.
    double* GetViewAngles() { return m_dViewAngle; }
    const double* GetViewAngles() const { return m_dViewAngle; }
    void SetViewAngles(double a, double b, double c) { m_dViewAngle[0] = a; m_dViewAngle[1] = b; m_dViewAngle[2] = c; }
    CListeningPlane& GetPlane() { return m_plane; }
    const CListeningPlane& GetPlane() const { return m_plane; }

    void Serialize(CArchive& ar, DWORD version);

private:
    double m_dFrequency = 0.0;
    double m_dBandFraction = 0.0;
    double m_dScale = 0.0;
    int m_nSumMode = 0;
    CSize m_sizeTotal;
    CRect m_rectMargin;
    double m_dViewAngle[3] = {};
    CListeningPlane m_plane;
};
