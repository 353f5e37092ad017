#pragma once
// One colour-map condition per SPL map window, owned, with a current index.

#include "document/ColorMapCondition.h"
#include "platform/Types.h"

#include <memory>
#include <vector>

class CArchive;

class CColorMapConditionList {
public:
    CColorMapConditionList() = default;
    CColorMapConditionList(const CColorMapConditionList&) = delete;
    CColorMapConditionList& operator=(const CColorMapConditionList&) = delete;
    CColorMapConditionList(CColorMapConditionList&&) = default;
    CColorMapConditionList& operator=(CColorMapConditionList&&) = default;

    int GetCount() const { return static_cast<int>(m_conditions.size()); }
    int GetCurrentIndex() const { return m_nCurrent; }
    void SetCurrentIndex(int i) { m_nCurrent = i; }

    // Appends a condition built from the values (the plane's dots are taken
    // over) and makes it current; returns it.
    CColorMapCondition* AddNew(double frequency, double bandFraction, int sumMode, LONG cx, LONG cy, LONG left,
                               LONG top, LONG right, LONG bottom, double scale, CListeningPlane& plane, double a,
                               double b, double c);
    // Appends a copy of condition i and makes it current; nullptr (nothing
    // added) when i names no condition.
    CColorMapCondition* AddCopyOf(int i);
    // Deletes condition i; a current index past the end moves to the last
    // (-1 when none is left).
    void RemoveAt(int i);
    // Deletes every condition; the current index is kept.
    void RemoveAll();
    CColorMapCondition* GetAtOrNull(int i) const;
    CColorMapCondition* GetAt(int i) const { return GetAtOrNull(i); }
    CColorMapCondition* GetCurrent() const { return GetAtOrNull(m_nCurrent); }

    void Serialize(CArchive& ar, DWORD version);

    auto begin() const { return m_conditions.begin(); }
    auto end() const { return m_conditions.end(); }

private:
    std::vector<std::unique_ptr<CColorMapCondition>> m_conditions;
    int m_nCurrent = 0;
};
