#include "document/InstallationElementList.h"

#include "platform/Archive.h"

#include <algorithm>

BOOL CInstallationElementList::SetCurrentIndex(int i)
{
    if (i == m_nCurrent) {
        return FALSE;
    }
    m_nCurrent = i;
    return TRUE;
}

BOOL CInstallationElementList::SetCurrent(const CInstallationElement* element)
{
    const int index = IndexOf(element);
    if (index < 0 || index == m_nCurrent) {
        return FALSE;
    }
    m_nCurrent = index;
    return TRUE;
}

CInstallationElement* CInstallationElementList::GetAt(int i) const
{
    if (i < 0 || i >= GetCount()) {
        return nullptr;
    }
    return m_elements[static_cast<std::size_t>(i)].get();
}

int CInstallationElementList::IndexOf(const CInstallationElement* element) const
{
    if (element == nullptr) {
        return -1;
    }
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        if (m_elements[i].get() == element) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

double CInstallationElementList::GetTotalPower() const
{
    double total = 0.0;
    for (const auto& e : m_elements) {
        total += e->GetPower();
    }
    return total;
}

void CInstallationElementList::AddTail(std::unique_ptr<CInstallationElement> element)
{
    if (element) {
        m_elements.push_back(std::move(element));
    }
}

void CInstallationElementList::RemoveAt(int i)
{
    if (i < 0 || i >= GetCount()) {
        return;
    }
    m_elements.erase(m_elements.begin() + i);
    const int count = GetCount();
    if (count < 2) {
        m_nCurrent = 0;
    } else if (m_nCurrent >= count) {
        m_nCurrent = count - 1;
    }
}

void CInstallationElementList::RemoveAll()
{
    m_elements.clear();
    m_nCurrent = 0;
}

void CInstallationElementList::RemoveByModel(DWORD modelIndex)
{
    std::erase_if(m_elements, [modelIndex](const std::unique_ptr<CInstallationElement>& e) {
        return e->GetModelIndex() == modelIndex;
    });
}

void CInstallationElementList::Serialize(CArchive& ar, DWORD version)
{
    for (auto& e : m_elements) {
        e->Serialize(ar, version);
    }
}
