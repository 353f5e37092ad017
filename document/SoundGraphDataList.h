#pragma once
// One frequency-response graph: axis ranges, grid steps, axis types and its
// curves.

#include "document/SoundGraphData.h"
#include "platform/Types.h"

#include <vector>

class CArchive;

class CSoundGraphDataList {
public:
    CSoundGraphDataList() = default;
    // Every curve copied.
    CSoundGraphDataList(const CSoundGraphDataList&) = default;
    CSoundGraphDataList& operator=(const CSoundGraphDataList&) = default;
    CSoundGraphDataList(CSoundGraphDataList&& other) noexcept { TakeFrom(other); }
    CSoundGraphDataList& operator=(CSoundGraphDataList&& other) noexcept { TakeFrom(other); return *this; }

    // Stores the axes and leaves one curve of one point (0, 0).
    void Init(int xScaleType, int yScaleType, double xMin, double yMin, double xMax, double yMax, double xStep,
              double yStep);
    // Curve i takes a copy of the points (nothing when i is out of range).
    void SetData(int i, int count, const double* x, const double* y);
    // Every point of curve i becomes (0, 0); the count is kept.
    void ClearData(int i);
    // Moves the curve in as the new last curve (the given curve is left
    // without values).
    void Append(CSoundGraphData& curve);
    // Copies the axes and moves every curve of the other graph in.
    void TakeFrom(CSoundGraphDataList& other) noexcept;

    int GetCurveCount() const { return m_nCurveCount; }
    CSoundGraphData* GetCurve(int i);
    const CSoundGraphData* GetCurve(int i) const;

    // 0 linear, 1 logarithmic.
    int GetXScaleType() const { return m_nXScaleType; }
    int GetYScaleType() const { return m_nYScaleType; }
    double GetXStep() const { return m_dXStep; }
    double GetYStep() const { return m_dYStep; }
    double GetXMax() const { return m_dXMax; }
    double GetYMax() const { return m_dYMax; }
    double GetXMin() const { return m_dXMin; }
    double GetYMin() const { return m_dYMin; }
    void SetXScaleType(int t) { m_nXScaleType = t; }
    void SetYScaleType(int t) { m_nYScaleType = t; }
    void SetXRange(double xMin, double xMax) { m_dXMin = xMin; m_dXMax = xMax; }
    void SetYRange(double yMin, double yMax) { m_dYMin = yMin; m_dYMax = yMax; }
    void SetSteps(double xStep, double yStep) { m_dXStep = xStep; m_dYStep = yStep; }
    DWORD GetReserved() const { return m_dwReserved; }

    void Serialize(CArchive& ar);

private:
    std::vector<CSoundGraphData> m_curves;
    int m_nXScaleType = 0;
    int m_nYScaleType = 0;
    double m_dXStep = 0.0;
    double m_dYStep = 0.0;
    double m_dXMax = 0.0;
    double m_dYMax = 0.0;
    double m_dXMin = 0.0;
    double m_dYMin = 0.0;
    int m_nCurveCount = 0;
    DWORD m_dwReserved = 0;
};
