#include "document/SoundGraphData.h"

#include "platform/Archive.h"

#include <algorithm>
#include <utility>

namespace {

// Room for n x values followed by n y values, all 0.0; null for no points.
std::unique_ptr<double[]> MakeValues(std::size_t n)
{
    return n > 0 ? std::make_unique<double[]>(2 * n) : nullptr;
}

}  // namespace

CSoundGraphData::CSoundGraphData(const CSoundGraphData& other)
    : m_strName(other.m_strName), m_values(MakeValues(static_cast<std::size_t>(other.m_nCount))),
      m_nCount(other.m_nCount)
{
    if (m_values)
        std::copy(other.m_values.get(), other.m_values.get() + 2 * static_cast<std::size_t>(m_nCount),
                  m_values.get());
}

CSoundGraphData& CSoundGraphData::operator=(const CSoundGraphData& other)
{
    if (this != &other) {
        CSoundGraphData copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CSoundGraphData::CSoundGraphData(CSoundGraphData&& other) noexcept
    : m_strName(std::move(other.m_strName)), m_values(std::move(other.m_values)), m_nCount(other.m_nCount)
{
    other.m_nCount = 0;
}

CSoundGraphData& CSoundGraphData::operator=(CSoundGraphData&& other) noexcept
{
    if (this != &other) {
        m_strName = std::move(other.m_strName);
        m_values = std::move(other.m_values);
        m_nCount = other.m_nCount;
        other.m_nCount = 0;
    }
    return *this;
}

void CSoundGraphData::SetData(int count, const double* x, const double* y)
{
    const std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
    std::unique_ptr<double[]> values = MakeValues(n);
    if (x != nullptr)
        std::copy(x, x + n, values.get());
    if (y != nullptr)
        std::copy(y, y + n, values.get() + n);
    m_values = std::move(values);
    m_nCount = static_cast<int>(n);
}

void CSoundGraphData::MoveFrom(CSoundGraphData& other)
{
    if (this == &other) {
        return;
    }
    m_strName = other.m_strName;
    m_nCount = other.m_nCount;
    m_values = std::move(other.m_values);
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
        for (int i = 0; i < n; ++i) {
            ar << GetX(i) << GetY(i);
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
    std::unique_ptr<double[]> values = MakeValues(n);
    for (std::size_t i = 0; i < n; ++i) {
        ar >> values[i] >> values[n + i];
    }
    m_values = std::move(values);
    m_nCount = n;
}
