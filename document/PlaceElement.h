#pragma once
// One colour dot of a calculation plane: its level, its centre in the room
// and its size (0 along the plane's normal), and the owned list of dots.

#include <cstddef>
#include <memory>
#include <vector>

class CPlaceElement {
public:
    CPlaceElement() = default;
    CPlaceElement(double cx, double cy, double cz, double dx, double dy, double dz)
        : m_dCenter{cx, cy, cz}, m_dSize{dx, dy, dz} {}

    double GetLevel() const { return m_dLevel; }
    void SetLevel(double level) { m_dLevel = level; }

    void GetCenter(double& x, double& y, double& z) const { x = m_dCenter[0]; y = m_dCenter[1]; z = m_dCenter[2]; }
    const double* GetCenter() const { return m_dCenter; }
    void SetCenter(double x, double y, double z) { m_dCenter[0] = x; m_dCenter[1] = y; m_dCenter[2] = z; }

    void GetSize(double& dx, double& dy, double& dz) const { dx = m_dSize[0]; dy = m_dSize[1]; dz = m_dSize[2]; }
    const double* GetSize() const { return m_dSize; }
    void SetSize(double dx, double dy, double dz) { m_dSize[0] = dx; m_dSize[1] = dy; m_dSize[2] = dz; }

private:
    double m_dLevel = 0.0;
    double m_dCenter[3] = {};
    double m_dSize[3] = {};
};

// The dots of a plane, owned, in the order the plane created them.
class CPlaceElementList {
public:
    std::size_t GetCount() const { return m_dots.size(); }
    bool IsEmpty() const { return m_dots.empty(); }
    CPlaceElement* GetAt(std::size_t i) const { return i < m_dots.size() ? m_dots[i].get() : nullptr; }
    void AddTail(std::unique_ptr<CPlaceElement> dot) { m_dots.push_back(std::move(dot)); }
    void Reserve(std::size_t n) { m_dots.reserve(n); }
    void RemoveAll() { m_dots.clear(); }
    void Swap(CPlaceElementList& other) noexcept { m_dots.swap(other.m_dots); }

    // Iteration yields std::unique_ptr<CPlaceElement>: for (auto& dot : list) dot->GetLevel().
    auto begin() const { return m_dots.begin(); }
    auto end() const { return m_dots.end(); }

private:
    std::vector<std::unique_ptr<CPlaceElement>> m_dots;
};
