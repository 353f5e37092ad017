#pragma once
// The installed speakers of a project, owned, with the index of the current
// one. The index is not checked when it is set; GetCurrent yields nothing
// while it lies outside the list.

#include "document/InstallationElement.h"
#include "platform/Types.h"

#include <memory>
#include <vector>

class CArchive;

class CInstallationElementList {
public:
    CInstallationElementList() = default;
    CInstallationElementList(const CInstallationElementList&) = delete;
    CInstallationElementList& operator=(const CInstallationElementList&) = delete;
    CInstallationElementList(CInstallationElementList&&) = default;
    CInstallationElementList& operator=(CInstallationElementList&&) = default;

    int GetCount() const { return static_cast<int>(m_elements.size()); }
    bool IsEmpty() const { return m_elements.empty(); }

    int GetCurrentIndex() const { return m_nCurrent; }
    // FALSE when i already is the current index.
    BOOL SetCurrentIndex(int i);
    // FALSE when the element is not in this list or already current.
    BOOL SetCurrent(const CInstallationElement* element);
    // The element at i, or nullptr when i is out of range.
    CInstallationElement* GetAt(int i) const;
    CInstallationElement* GetCurrent() const { return GetAt(m_nCurrent); }
    // Index of the element, or -1 when it is not in this list.
    int IndexOf(const CInstallationElement* element) const;
    double GetTotalPower() const;

    // Appends the element at the end (the current index is not changed).
    void AddTail(std::unique_ptr<CInstallationElement> element);
    // Deletes element i; fewer than 2 left makes index 0 current, else a
    // current index past the end moves to the last element.
    void RemoveAt(int i);
    void RemoveAll();
    // Deletes every element of that model; the current index stays.
    void RemoveByModel(DWORD modelIndex);

    // Reads or writes the record of every element already in the list.
    void Serialize(CArchive& ar, DWORD version);

    // Iteration over the elements, head to tail.
    auto begin() const { return m_elements.begin(); }
    auto end() const { return m_elements.end(); }

private:
    std::vector<std::unique_ptr<CInstallationElement>> m_elements;
    int m_nCurrent = 0;
};
