#include "document/SoundGraphConditionList.h"

#include "platform/Archive.h"

#include <algorithm>

void CSoundGraphConditionList::Add(int source, LONG left, LONG top, LONG right, LONG bottom, double xScale,
                                   double yScale, CSoundGraphDataList& graph)
{
    Entry entry;
    if (m_entries.empty()) {
        entry.margin = CRect{left, top, right, bottom};
        entry.xScale = xScale;
        entry.yScale = yScale;
        entry.graph.TakeFrom(graph);
    } else if (source < 0) {
        entry.margin = CRect{left, top, right, bottom};
        entry.xScale = xScale;
        entry.yScale = yScale;
        entry.graph = graph;
    } else {
        const std::size_t from = std::min(static_cast<std::size_t>(source), m_entries.size() - 1);
        entry = m_entries[from];
    }
    m_entries.push_back(std::move(entry));
}

void CSoundGraphConditionList::RemoveAt(int i)
{
    if (i < 0 || i >= GetCount()) {
        return;
    }
    m_entries.erase(m_entries.begin() + i);
}

CSoundGraphDataList* CSoundGraphConditionList::GetGraphOrNull(int i)
{
    if (i < 0 || i >= GetCount()) {
        return nullptr;
    }
    return &m_entries[static_cast<std::size_t>(i)].graph;
}

void CSoundGraphConditionList::ClearAllData(int curve)
{
    for (Entry& e : m_entries) {
        e.graph.ClearData(curve);
    }
}

void CSoundGraphConditionList::Serialize(CArchive& ar, DWORD /*version*/)
{
    auto storeWord = [&ar](LONG v) { ar << static_cast<WORD>(static_cast<DWORD>(v) & 0xFFFF); };
    if (ar.IsStoring()) {
        storeWord(m_nActive);
        storeWord(GetCount());
        for (Entry& e : m_entries) {
            storeWord(e.margin.left);
            storeWord(e.margin.top);
            storeWord(e.margin.right);
            storeWord(e.margin.bottom);
            ar << e.xScale << e.yScale;
            e.graph.Serialize(ar);
        }
        return;
    }
    // A list is only ever loaded fresh.
    m_entries.clear();
    m_nActive = ar.ReadWord();
    const WORD count = ar.ReadWord();
    // Margins, scales and the fixed part of a graph record.
    ar.CheckCount(count, 4 * 2 + 2 * 8 + 2 + 2 + 6 * 8 + 2 * 4);
    m_entries.reserve(count);
    for (WORD i = 0; i < count; ++i) {
        const LONG left = ar.ReadWord();
        const LONG top = ar.ReadWord();
        const LONG right = ar.ReadWord();
        const LONG bottom = ar.ReadWord();
        const double xScale = ar.ReadDouble();
        const double yScale = ar.ReadDouble();
        // The graph read is a temporary: every entry takes its curves over
        // (Add would copy them for all but the first while the read one
        // still lives).
        Entry entry;
        entry.margin = CRect{left, top, right, bottom};
        entry.xScale = xScale;
        entry.yScale = yScale;
        entry.graph.Serialize(ar);
        m_entries.push_back(std::move(entry));
    }
}
