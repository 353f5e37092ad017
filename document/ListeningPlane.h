#pragma once
// The calculation plane of one SPL map: an axis-aligned rectangle of the room
// (one extent 0) divided into square colour dots, the 25-step colour scale
// against its level thresholds, and the four results of the last calculation.

#include "document/PlaceElement.h"
#include "platform/GdiTypes.h"
#include "platform/Types.h"

#include <vector>

class CArchive;

class CListeningPlane {
public:
    static constexpr int kColorCount = 25;

    CListeningPlane() = default;
    virtual ~CListeningPlane() = default;
    // Full copy: parameters, colour scale, thresholds, results and a copy of
    // every dot.
    CListeningPlane(const CListeningPlane& other);
    CListeningPlane& operator=(const CListeningPlane& other);
    CListeningPlane(CListeningPlane&& other) { TakeFrom(other); }
    CListeningPlane& operator=(CListeningPlane&& other) { TakeFrom(other); return *this; }
    // Copies every value and takes over the source's dots in their order (the
    // source's dot list is left empty).
    void TakeFrom(CListeningPlane& source);
    // A full copy, dots included (the source keeps its dots).
    void CopyFrom(const CListeningPlane& source);

    // Snaps the extents to the pitch, rebuilds every dot with level 0 and
    // resets the colour scale, thresholds and results. A geometry without
    // exactly one zero extent changes nothing; returns whether it was taken.
    bool Set(double x0, double y0, double z0, double ex, double ey, double ez, double pitch, double topLevel,
             double levelStep);
    // Set with the plane's own values: every level and result back to 0.
    void Rebuild();
    // The colour of a level (0x000000 for a level that is not a number).
    COLORREF GetColor(double level) const;

    void Serialize(CArchive& ar, DWORD version);

    // The dots, for the calculation and drawing walks.
    CPlaceElementList& GetCells() { return m_cells; }
    const CPlaceElementList& GetCells() const { return m_cells; }
    DWORD GetCellCount() const { return m_nCellCount; }
    double GetPitch() const { return m_dPitch; }
    const double* GetExtent() const { return m_dExtent; }
    double GetExtent(int axis) const { return m_dExtent[axis]; }
    const double* GetOrigin() const { return m_dOrigin; }
    double GetOrigin(int axis) const { return m_dOrigin[axis]; }
    double GetTopLevel() const { return m_dTopLevel; }
    double GetLevelStep() const { return m_dLevelStep; }
    const std::vector<COLORREF>& GetColors() const { return m_colors; }
    const std::vector<double>& GetThresholds() const { return m_thresholds; }
    // 0, 1 or 2 for a plane of constant x, y or z; -1 before the first Set.
    int GetNormalAxis() const;

    double GetMaxLevel() const { return m_dMaxLevel; }
    double GetMinLevel() const { return m_dMinLevel; }
    double GetAverageLevel() const { return m_dAverageLevel; }
    double GetSpeechAverageLevel() const { return m_dSpeechAverageLevel; }
    void SetMaxLevel(double v) { m_dMaxLevel = v; }
    void SetMinLevel(double v) { m_dMinLevel = v; }
    void SetAverageLevel(double v) { m_dAverageLevel = v; }
    void SetSpeechAverageLevel(double v) { m_dSpeechAverageLevel = v; }
    // Sets all four results to 0.
    void ClearResults();
    // Whether the results come from a calculation of the plane as it is:
    // Set, Rebuild and ClearResults leave all four at 0 (so does a stopped
    // calculation), which no finished one gives, its speech average lying
    // 4 dB below its average.
    bool HasResults() const
    {
        return m_dMaxLevel != 0.0 || m_dMinLevel != 0.0 || m_dAverageLevel != 0.0 || m_dSpeechAverageLevel != 0.0;
    }

    // The 25 colours of the scale, index 0 the loudest.
    static const COLORREF kColorScale[kColorCount];

private:
    double m_dSpeechAverageLevel = 0.0;
    double m_dAverageLevel = 0.0;
    double m_dPitch = 0.0;
    double m_dExtent[3] = {};
    double m_dOrigin[3] = {};
    DWORD m_nCellCount = 0;
    CPlaceElementList m_cells;
    std::vector<COLORREF> m_colors;
    std::vector<double> m_thresholds;
    double m_dTopLevel = 0.0;
    double m_dLevelStep = 0.0;
    double m_dMaxLevel = 0.0;
    double m_dMinLevel = 0.0;
};
