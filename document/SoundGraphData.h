#pragma once
// One curve of a frequency-response graph: a name and parallel x and y
// values.

#include "platform/Types.h"

#include <memory>
#include <string>

class CArchive;

class CSoundGraphData {
public:
    CSoundGraphData() = default;
    // Copies take the name and copies of the values; moves take the values
    // over and leave the other curve without any.
    CSoundGraphData(const CSoundGraphData& other);
    CSoundGraphData& operator=(const CSoundGraphData& other);
    CSoundGraphData(CSoundGraphData&& other) noexcept;
    CSoundGraphData& operator=(CSoundGraphData&& other) noexcept;

    // Takes a copy of count points; a null source gives zeros.
    void SetData(int count, const double* x, const double* y);
    // Takes the other curve's name (copied), count and values; the other
    // curve is left without values.
    void MoveFrom(CSoundGraphData& other);

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    int GetCount() const { return m_nCount; }
    const double* GetX() const { return m_values.get(); }
    const double* GetY() const { return m_values ? m_values.get() + m_nCount : nullptr; }
    double* GetX() { return m_values.get(); }
    double* GetY() { return m_values ? m_values.get() + m_nCount : nullptr; }
    double GetX(int i) const { return GetX()[i]; }
    double GetY(int i) const { return GetY()[i]; }

    // Name, point count word, then x and y per point. Loading reads into the
    // points this curve already holds (sized by the graph record) and
    // refuses a record that claims more points.
    void Serialize(CArchive& ar);
    // Loads the curve record when the graph record announced `announced`
    // points: a record that carries more is refused, and only the points
    // the record carries are kept (nothing is made for the announced count).
    void Load(CArchive& ar, DWORD announced);

private:
    // A curve is kept small (48 bytes without its points): a project may
    // carry tens of thousands of empty curves of seven bytes each, and what
    // the load holds for them must stay a small multiple of that.
    std::string m_strName;
    // The count x values, then the count y values; null without points.
    std::unique_ptr<double[]> m_values;
    int m_nCount = 0;
};
