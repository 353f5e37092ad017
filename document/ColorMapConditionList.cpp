#include "document/ColorMapConditionList.h"

#include "platform/Archive.h"

CColorMapCondition* CColorMapConditionList::AddNew(double frequency, double bandFraction, int sumMode, LONG cx,
                                                   LONG cy, LONG left, LONG top, LONG right, LONG bottom,
                                                   double scale, CListeningPlane& plane, double a, double b, double c)
{
    m_conditions.push_back(std::make_unique<CColorMapCondition>(frequency, bandFraction, scale, sumMode,
                                                                CSize{cx, cy}, CRect{left, top, right, bottom},
                                                                CPoint3D(a, b, c), plane));
    m_nCurrent = GetCount() - 1;
    return m_conditions.back().get();
}

CColorMapCondition* CColorMapConditionList::AddCopyOf(int i)
{
    const CColorMapCondition* source = GetAtOrNull(i);
    if (source == nullptr) {
        return nullptr;
    }
    m_conditions.push_back(std::make_unique<CColorMapCondition>(*source));
    m_nCurrent = GetCount() - 1;
    return m_conditions.back().get();
}

void CColorMapConditionList::RemoveAt(int i)
{
    if (i < 0 || i >= GetCount()) {
        return;
    }
    m_conditions.erase(m_conditions.begin() + i);
    if (m_nCurrent >= GetCount()) {
        m_nCurrent = GetCount() - 1;
    }
}

void CColorMapConditionList::RemoveAll()
{
    m_conditions.clear();
}

CColorMapCondition* CColorMapConditionList::GetAtOrNull(int i) const
{
    if (i < 0 || i >= GetCount()) {
        return nullptr;
    }
    return m_conditions[static_cast<std::size_t>(i)].get();
}

void CColorMapConditionList::Serialize(CArchive& ar, DWORD version)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(static_cast<DWORD>(m_nCurrent) & 0xFFFF);
        ar << static_cast<WORD>(static_cast<DWORD>(GetCount()) & 0xFFFF);
        for (auto& c : m_conditions) {
            c->Serialize(ar, version);
        }
        return;
    }
    // A list is only ever loaded fresh.
    m_conditions.clear();
    m_nCurrent = ar.ReadWord();
    const WORD count = ar.ReadWord();
    // The shortest condition record: its fixed fields and an empty plane.
    const std::uint64_t shortest = 2 + 8 + 8 + 6 * 2 + 8 + (2 + 2 + 5 * 8 + 3 * 8 + 4 * 8);
    ar.CheckCount(count, shortest);
    for (WORD i = 0; i < count; ++i) {
        auto condition = std::make_unique<CColorMapCondition>();
        condition->Serialize(ar, version);
        m_conditions.push_back(std::move(condition));
    }
}
