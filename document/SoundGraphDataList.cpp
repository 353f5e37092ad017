#include "document/SoundGraphDataList.h"

#include "platform/Archive.h"

#include <algorithm>

void CSoundGraphDataList::Init(int xScaleType, int yScaleType, double xMin, double yMin, double xMax, double yMax,
                               double xStep, double yStep)
{
    m_nXScaleType = xScaleType;
    m_nYScaleType = yScaleType;
    m_dXMin = xMin;
    m_dYMin = yMin;
    m_dXMax = xMax;
    m_dYMax = yMax;
    m_dXStep = xStep;
    m_dYStep = yStep;
    m_curves.clear();
    m_curves.resize(1);
    const double zero = 0.0;
    m_curves[0].SetData(1, &zero, &zero);
    m_nCurveCount = 1;
    m_dwReserved = 0;
}

void CSoundGraphDataList::SetData(int i, int count, const double* x, const double* y)
{
    if (CSoundGraphData* curve = GetCurve(i)) {
        curve->SetData(count, x, y);
    }
}

void CSoundGraphDataList::ClearData(int i)
{
    if (CSoundGraphData* curve = GetCurve(i)) {
        std::fill(curve->GetX(), curve->GetX() + curve->GetCount(), 0.0);
        std::fill(curve->GetY(), curve->GetY() + curve->GetCount(), 0.0);
    }
}

void CSoundGraphDataList::Append(CSoundGraphData& curve)
{
    m_curves.emplace_back();
    m_curves.back().MoveFrom(curve);
    m_nCurveCount = static_cast<int>(m_curves.size());
}

void CSoundGraphDataList::TakeFrom(CSoundGraphDataList& other) noexcept
{
    if (this == &other) {
        return;
    }
    m_dwReserved = other.m_dwReserved;
    m_nCurveCount = other.m_nCurveCount;
    m_dXStep = other.m_dXStep;
    m_dYStep = other.m_dYStep;
    m_dXMax = other.m_dXMax;
    m_dYMax = other.m_dYMax;
    m_dXMin = other.m_dXMin;
    m_dYMin = other.m_dYMin;
    m_nXScaleType = other.m_nXScaleType;
    m_nYScaleType = other.m_nYScaleType;
    m_curves = std::move(other.m_curves);
    other.m_curves.clear();
    other.m_nCurveCount = 0;
}

CSoundGraphData* CSoundGraphDataList::GetCurve(int i)
{
    if (i < 0 || i >= m_nCurveCount || static_cast<std::size_t>(i) >= m_curves.size()) {
        return nullptr;
    }
    return &m_curves[static_cast<std::size_t>(i)];
}

const CSoundGraphData* CSoundGraphDataList::GetCurve(int i) const
{
    return const_cast<CSoundGraphDataList*>(this)->GetCurve(i);
}

void CSoundGraphDataList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const int curves = std::min(m_nCurveCount, static_cast<int>(m_curves.size()));
        ar << static_cast<WORD>(m_dwReserved & 0xFFFF);
        ar << static_cast<WORD>(static_cast<DWORD>(curves) & 0xFFFF);
        ar << m_dXMin << m_dXMax << m_dYMin << m_dYMax << m_dXStep << m_dYStep;
        ar << static_cast<std::int32_t>(m_nXScaleType) << static_cast<std::int32_t>(m_nYScaleType);
        for (int i = 0; i < (curves & 0xFFFF); ++i) {
            CSoundGraphData& curve = m_curves[static_cast<std::size_t>(i)];
            ar << static_cast<std::int32_t>(std::min(curve.GetCount(), 0xFFFF));
            curve.Serialize(ar);
        }
        return;
    }
    m_curves.clear();
    m_nCurveCount = 0;
    m_dwReserved = ar.ReadWord();
    const WORD curves = ar.ReadWord();
    ar >> m_dXMin >> m_dXMax >> m_dYMin >> m_dYMax >> m_dXStep >> m_dYStep;
    m_nXScaleType = ar.ReadInt();
    m_nYScaleType = ar.ReadInt();
    // Each curve needs at least its 32-bit count, an empty name and its word.
    ar.CheckCount(curves, 4 + 1 + 2);
    m_curves.reserve(curves);
    for (WORD i = 0; i < curves; ++i) {
        const std::int32_t points = ar.ReadInt();
        if (points < 0) {
            CArchive::ThrowFormat("a curve with a negative point count");
        }
        // The curve keeps the points its own record carries; nothing is made
        // for the announced count, which the file need not back.
        CSoundGraphData curve;
        Append(curve);
        m_curves.back().Load(ar, static_cast<DWORD>(points));
    }
}
