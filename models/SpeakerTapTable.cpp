#include "models/SpeakerTapTable.h"

#include "models/CommaPieces.h"
#include "models/SpeakerDataLimits.h"
#include "platform/Archive.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <cmath>

namespace {

constexpr double kLowImpedanceFactor = 2.0;
constexpr double kLineFactor = 1.0;

bool InRange(int i, std::size_t size)
{
    return i >= 0 && static_cast<std::size_t>(i) < size;
}

// A tap value or factor within the bounds; false for a value that is not a
// number.
bool IsUsableTapValue(double v)
{
    return std::fabs(v) <= SpeakerDataLimits::kMaxTapValue;
}

// The power becomes an installation's power, whose square root scales the
// pressure: it must not be negative.
bool IsUsableTapPower(double w)
{
    return w >= 0.0 && w <= SpeakerDataLimits::kMaxTapValue;
}

}  // namespace

void CSpeakerTapTable::SetModuleCounts(DWORD centre, DWORD upper, DWORD lower)
{
    m_dwCentreCount = centre;
    m_dwUpperCount = upper;
    m_dwLowerCount = lower;
}

DWORD CSpeakerTapTable::GetElementCount() const
{
    return m_dwCentreCount + m_dwUpperCount + m_dwLowerCount;
}

void CSpeakerTapTable::SetTapCount(DWORD n)
{
    m_lowImpedance.resize(n, false);
    m_values.resize(n, 0.0);
    m_powers.resize(n, 0.0);
    m_factors.resize(n, 0.0);
}

BOOL CSpeakerTapTable::IsLowImpedance(int i) const
{
    return InRange(i, m_lowImpedance.size()) && m_lowImpedance[i];
}

double CSpeakerTapTable::GetValue(int i) const
{
    return InRange(i, m_values.size()) ? m_values[i] : 0.0;
}

double CSpeakerTapTable::GetPower(int i) const
{
    return InRange(i, m_powers.size()) ? m_powers[i] : 0.0;
}

double CSpeakerTapTable::GetFactor(int i) const
{
    return InRange(i, m_factors.size()) ? m_factors[i] : 0.0;
}

void CSpeakerTapTable::SetTap(int i, bool lowImpedance, double value, double power, double factor)
{
    if (!InRange(i, m_lowImpedance.size()))
        return;
    m_lowImpedance[i] = lowImpedance;
    m_values[i] = value;
    m_powers[i] = power;
    m_factors[i] = factor;
}

DWORD CSpeakerTapTable::GetReserved(int i) const
{
    return InRange(i, 3) ? m_dwReserved[i] : 0;
}

bool CSpeakerTapTable::VersionHasTapFactor(DWORD version)
{
    return version != 0x01000000u && version != 0x01030000u;
}

void CSpeakerTapTable::SerializeHeader(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (DWORD r : m_dwReserved)
            ar << static_cast<WORD>(r);
        return;
    }
    for (DWORD& r : m_dwReserved)
        r = ar.ReadWord();
}

void CSpeakerTapTable::Serialize(CArchive& ar, DWORD version)
{
    const bool withFactor = VersionHasTapFactor(version);
    const std::size_t n = m_lowImpedance.size();
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_nCurTap);
        for (std::size_t i = 0; i < n; ++i) {
            ar << static_cast<WORD>(m_lowImpedance[i] ? 1 : 0);
            ar << m_values[i];
            ar << m_powers[i];
            if (withFactor)
                ar << m_factors[i];
        }
        return;
    }
    m_nCurTap = ar.ReadWord();
    ar.CheckCount(n, withFactor ? 26 : 18);
    for (std::size_t i = 0; i < n; ++i) {
        m_lowImpedance[i] = ar.ReadWord() != 0;
        ar >> m_values[i];
        ar >> m_powers[i];
        if (withFactor)
            ar >> m_factors[i];
        else
            m_factors[i] = m_lowImpedance[i] ? kLowImpedanceFactor : kLineFactor;
    }
}

BOOL CSpeakerTapTable::ReadFromFile(CStdioFile& file)
{
    std::string line;
    for (std::size_t i = 0; i < m_lowImpedance.size(); ++i) {
        if (!file.ReadString(line))
            return false;
        // Kind, value, power, factor; further pieces are not looked at.
        CCommaPieces pieces(line);
        std::string_view piece;
        for (int p = 0; p < 4 && pieces.Next(piece); ++p) {
            switch (p) {
            case 0:
                // Lower case only; any other letter keeps the tap's kind.
                if (!piece.empty() && piece[0] == 'h') {
                    m_lowImpedance[i] = false;
                    m_factors[i] = kLineFactor;
                } else if (!piece.empty() && piece[0] == 'l') {
                    m_lowImpedance[i] = true;
                    m_factors[i] = kLowImpedanceFactor;
                }
                break;
            case 1:
                m_values[i] = Numbers::Atof(piece);
                break;
            case 2:
                m_powers[i] = Numbers::Atof(piece);
                break;
            case 3:
                m_factors[i] = Numbers::Atof(piece);
                break;
            }
        }
        if (!IsTapUsable(i))
            return false;
    }
    return true;
}

bool CSpeakerTapTable::IsTapUsable(std::size_t i) const
{
    return i < m_values.size() && IsUsableTapValue(m_values[i]) && IsUsableTapPower(m_powers[i]) &&
           IsUsableTapValue(m_factors[i]);
}

bool CSpeakerTapTable::AreTapsUsable() const
{
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        if (!IsTapUsable(i))
            return false;
    }
    return true;
}
