#include "document/SoundGraphData.h"

#include "platform/Archive.h"

#include <algorithm>

void CSoundGraphData::SetData(int count, const double* x, const double* y)
{
    const std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
    std::vector<double> nx(n, 0.0);
    std::vector<double> ny(n, 0.0);
    if (x != nullptr) {
        std::copy(x, x + n, nx.begin());
    }
    if (y != nullptr) {
        std::copy(y, y + n, ny.begin());
    }
    m_x.swap(nx);
    m_y.swap(ny);
    m_nCount = static_cast<int>(n);
}

void CSoundGraphData::MoveFrom(CSoundGraphData& other)
{
    if (this == &other) {
        return;
    }
    m_strName = other.m_strName;
    m_nCount = other.m_nCount;
    m_x = std::move(other.m_x);
    m_y = std::move(other.m_y);
    other.m_x.clear();
    other.m_y.clear();
    other.m_nCount = 0;
}

void CSoundGraphData::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        // Both counts of a curve hold the same value, and only a word of it
        // reaches the file: a longer curve is saved with its first 65535
        // points so that the record stays readable.
        const int n = std::min(m_nCount, 0xFFFF);
        ar << m_strName;
        ar << static_cast<WORD>(n);
        for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
            ar << m_x[i] << m_y[i];
        }
        return;
    }
    Load(ar, static_cast<DWORD>(m_nCount));
}

void CSoundGraphData::Load(CArchive& ar, DWORD announced)
{
    ar >> m_strName;
    const WORD n = ar.ReadWord();
    if (n > announced) {
        CArchive::ThrowFormat("a curve holds more points than its graph counts");
    }
    ar.CheckCount(n, 2 * sizeof(double));
    std::vector<double> x(n, 0.0);
    std::vector<double> y(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        ar >> x[i] >> y[i];
    }
    m_x.swap(x);
    m_y.swap(y);
    m_nCount = n;
}
