#pragma once
// The graphs of a project's frequency-response windows: per entry its
// margins, two scale factors and its graph, with the active entry.

#include "document/SoundGraphDataList.h"
#include "platform/GdiTypes.h"
#include "platform/Types.h"

#include <vector>

class CArchive;

class CSoundGraphConditionList {
public:
    CSoundGraphConditionList() = default;
    CSoundGraphConditionList(const CSoundGraphConditionList&) = delete;
    CSoundGraphConditionList& operator=(const CSoundGraphConditionList&) = delete;
    CSoundGraphConditionList(CSoundGraphConditionList&&) = default;
    CSoundGraphConditionList& operator=(CSoundGraphConditionList&&) = default;

    // Appends an entry. The first entry takes the given values and the
    // graph's curves; a later one with source -1 the given values and a copy
    // of the graph, with a source of 0 or more the values and a copy of the
    // graph of entry min(source, count - 1).
    void Add(int source, LONG left, LONG top, LONG right, LONG bottom, double xScale, double yScale,
             CSoundGraphDataList& graph);
    // Removes entry i; later entries move down (nothing when out of range).
    void RemoveAt(int i);

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    int GetActive() const { return m_nActive; }
    void SetActive(int i) { m_nActive = i; }

    // Entry i; callers pass an index below GetCount().
    CRect& GetMargin(int i) { return m_entries[static_cast<std::size_t>(i)].margin; }
    const CRect& GetMargin(int i) const { return m_entries[static_cast<std::size_t>(i)].margin; }
    double GetXScale(int i) const { return m_entries[static_cast<std::size_t>(i)].xScale; }
    double GetYScale(int i) const { return m_entries[static_cast<std::size_t>(i)].yScale; }
    void SetXScale(int i, double s) { m_entries[static_cast<std::size_t>(i)].xScale = s; }
    void SetYScale(int i, double s) { m_entries[static_cast<std::size_t>(i)].yScale = s; }
    CSoundGraphDataList& GetGraph(int i) { return m_entries[static_cast<std::size_t>(i)].graph; }
    const CSoundGraphDataList& GetGraph(int i) const { return m_entries[static_cast<std::size_t>(i)].graph; }
    // Entry i's graph, or nullptr when i is out of range.
    CSoundGraphDataList* GetGraphOrNull(int i);

    // Clears curve i of every graph (after a change of the installations).
    void ClearAllData(int curve);

    void Serialize(CArchive& ar, DWORD version);

private:
    struct Entry {
        CRect margin;
        double xScale = 0.0;
        double yScale = 0.0;
        CSoundGraphDataList graph;
    };
    std::vector<Entry> m_entries;
    int m_nActive = 0;
};
