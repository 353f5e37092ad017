#pragma once
// One curve of a frequency-response graph: a name and parallel x and y
// values.

#include "platform/Types.h"

#include <string>
#include <vector>

class CArchive;

class CSoundGraphData {
public:
    CSoundGraphData() = default;
    CSoundGraphData(const CSoundGraphData&) = default;
    CSoundGraphData& operator=(const CSoundGraphData&) = default;
    CSoundGraphData(CSoundGraphData&&) = default;
    CSoundGraphData& operator=(CSoundGraphData&&) = default;

    // Takes a copy of count points; a null source gives zeros.
    void SetData(int count, const double* x, const double* y);
    // Takes the other curve's name (copied), count and values; the other
    // curve is left without values.
    void MoveFrom(CSoundGraphData& other);

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    int GetCount() const { return m_nCount; }
    const double* GetX() const { return m_x.data(); }
    const double* GetY() const { return m_y.data(); }
    double* GetX() { return m_x.data(); }
    double* GetY() { return m_y.data(); }
    double GetX(int i) const { return m_x[static_cast<std::size_t>(i)]; }
    double GetY(int i) const { return m_y[static_cast<std::size_t>(i)]; }

    // Name, point count word, then x and y per point. Loading reads into the
    // points this curve already holds (sized by the graph record) and
    // refuses a record that claims more points.
    void Serialize(CArchive& ar);
    // Loads the curve record when the graph record announced `announced`
    // points: a record that carries more is refused, and only the points
    // the record carries are kept (nothing is made for the announced count).
    void Load(CArchive& ar, DWORD announced);

private:
    std::string m_strName;
    std::vector<double> m_x;
    std::vector<double> m_y;
    int m_nCount = 0;
};
