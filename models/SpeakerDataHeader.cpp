#include "models/SpeakerDataHeader.h"

#include "models/AngleBracket.h"
#include "models/CommaPieces.h"
#include "models/OctaveFrequencies.h"
#include "models/SpeakerDataProblem.h"
#include "models/SpeakerDataLimits.h"
#include "platform/Archive.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>

namespace {

// An upper bound of the number of series frequencies in [lowest, highest]
// for the pitch, computed without walking the series; false when the range
// cannot be walked at all (a bound that is not a finite number).
bool EstimateFrequencyCount(double lowest, double highest, int pitch, double& estimate)
{
    if (!std::isfinite(lowest) || !std::isfinite(highest))
        return false;
    if (highest < 1.0) {
        estimate = 0.0;
        return true;
    }
    const double from = std::log10(std::max(lowest, 1.0));
    const double to = std::log10(highest);
    estimate = std::max(0.0, (to - from) * pitch / 0.3) + 2.0;
    return true;
}

bool ReadLine(CStdioFile& file, std::string& line)
{
    return file.ReadString(line);
}

}  // namespace

double CSpeakerDataHeader::GetPolarAngle(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < m_polarAngles.size() ? m_polarAngles[i] : 0.0;
}

double CSpeakerDataHeader::GetFrequency(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < m_frequencies.size() ? m_frequencies[i] : 0.0;
}

std::uint64_t CSpeakerDataHeader::GetCellCount() const
{
    return static_cast<std::uint64_t>(m_dwMeridianCount) * m_dwPolarCount * m_dwFrequencyCount;
}

void CSpeakerDataHeader::SetPolarAngles(const std::vector<double>& angles)
{
    m_polarAngles = angles;
    m_dwPolarCount = static_cast<DWORD>(angles.size());
}

BOOL CSpeakerDataHeader::SetFrequencyRange(double lowest, double highest, int pitch)
{
    using namespace SpeakerDataLimits;
    double estimate = 0.0;
    if (pitch < kMinFrequencyPitch || pitch > kMaxFrequencyPitch)
        return false;
    if (!EstimateFrequencyCount(lowest, highest, pitch, estimate) || estimate > kMaxCount + 2.0)
        return false;
    int count = 0;
    int end = 0;
    std::vector<double> frequencies;
    GetOctaveFrequencies(count, end, lowest, highest, static_cast<double>(pitch), frequencies);
    if (count < 0)
        count = 0;
    if (static_cast<std::uint32_t>(count) > kMaxCount)
        return false;
    frequencies.resize(static_cast<std::size_t>(count));
    m_dFrequencyPitch = static_cast<double>(pitch);
    m_dLowestFrequency = lowest;
    m_dHighestFrequency = highest;
    m_frequencies = std::move(frequencies);
    m_dwFrequencyCount = static_cast<DWORD>(count);
    return true;
}

BOOL CSpeakerDataHeader::IsFrequencyOutOfRange(double f) const
{
    return f < m_dLowestFrequency || f > m_dHighestFrequency;
}

int CSpeakerDataHeader::FindFrequencyIndex(double f) const
{
    int found = -1;
    for (std::size_t k = 0; k < m_frequencies.size(); ++k) {
        if (m_frequencies[k] == f)
            found = static_cast<int>(k);
    }
    return found;
}

BOOL CSpeakerDataHeader::FindBracket(double a, double& lo, double& hi, int& iLo, int& iHi) const
{
    return FindAngleBracketIn(m_polarAngles, a, lo, hi, iLo, iHi);
}

BOOL CSpeakerDataHeader::ReadHeader(CStdioFile& file, CSpeakerDataProblem* problem)
{
    using namespace SpeakerDataLimits;
    using Problem = CSpeakerDataProblem;
    // The header's lines, numbered from the name's.
    const std::size_t nameLine = file.LineNumber() + 1;
    auto refuse = [problem, nameLine](Problem::Value value, std::size_t offset) {
        if (problem)
            problem->SetValueOutOfRange(value, offset == 0 ? 0 : nameLine + offset);
        return FALSE;
    };

    std::string name, taps, rows, polars, pitch, lowest, highest;
    if (!ReadLine(file, name) || !ReadLine(file, taps) || !ReadLine(file, rows) ||
        !ReadLine(file, polars) || !ReadLine(file, pitch) || !ReadLine(file, lowest) ||
        !ReadLine(file, highest)) {
        if (problem)
            problem->SetFromFile(file, Problem::kGridSize);
        return false;
    }

    const int nTaps = Numbers::Atoi(taps);
    const int nRows = Numbers::Atoi(rows);
    const int nPolars = Numbers::Atoi(polars);
    const int nPitch = Numbers::Atoi(pitch);
    const double dLowest = Numbers::Atof(lowest);
    const double dHighest = Numbers::Atof(highest);

    // Counts that no data set has, or a grid that could not be held, make
    // the file unreadable before anything is sized for it.
    if (nTaps < 0 || static_cast<std::uint32_t>(nTaps) > kMaxCount)
        return refuse(Problem::kTapCount, 1);
    if (nRows < 0 || static_cast<std::uint32_t>(nRows) + 1u > kMaxCount)
        return refuse(Problem::kGridSize, 2);
    if (nPolars < 1 || static_cast<std::uint32_t>(nPolars) > kMaxCount)
        return refuse(Problem::kGridSize, 3);
    if (nPitch < kMinFrequencyPitch || nPitch > kMaxFrequencyPitch)
        return refuse(Problem::kFrequencyPitch, 4);

    CSpeakerDataHeader grid(*this);
    if (!grid.SetFrequencyRange(dLowest, dHighest, nPitch))
        return refuse(Problem::kFrequencyRange, std::isfinite(dLowest) ? 6 : 5);
    grid.m_dwMeridianCount = static_cast<DWORD>(nRows) + 1u;
    grid.m_dwPolarCount = static_cast<DWORD>(nPolars);
    if (grid.GetCellCount() > kMaxBalloonCells)
        return refuse(Problem::kGridSize, 0);

    grid.m_strName = name;
    grid.m_dwTapCount = static_cast<DWORD>(nTaps);
    grid.m_dReferenceDistance = 1.0;
    *this = std::move(grid);
    return true;
}

BOOL CSpeakerDataHeader::ReadValues(CStdioFile& file)
{
    m_polarAngles.assign(m_dwPolarCount, 0.0);
    std::string line;
    if (!file.ReadString(line))
        return false;
    // Pieces beyond the polar angle count are not part of the grid.
    CCommaPieces pieces(line);
    std::string_view piece;
    std::size_t next = 0;
    while (next < m_polarAngles.size() && pieces.Next(piece)) {
        if (piece.empty())
            continue;
        const double angle = Numbers::Atof(piece);
        if (!SpeakerDataLimits::IsUsableAngle(angle))
            return false;
        m_polarAngles[next++] = angle;
    }
    return true;
}

bool CSpeakerDataHeader::AreValuesUsable() const
{
    using namespace SpeakerDataLimits;
    if (!(m_dReferenceDistance > 0.0) || !IsUsableLength(m_dReferenceDistance))
        return false;
    if (!(m_dFrequencyPitch >= kMinFrequencyPitch && m_dFrequencyPitch <= kMaxFrequencyPitch) ||
        m_dFrequencyPitch != std::floor(m_dFrequencyPitch))
        return false;
    if (!std::isfinite(m_dLowestFrequency) || !std::isfinite(m_dHighestFrequency))
        return false;
    for (double a : m_polarAngles) {
        if (!IsUsableAngle(a))
            return false;
    }
    for (double f : m_frequencies) {
        if (!(std::fabs(f) <= kMaxFrequency))
            return false;
    }
    return true;
}

void CSpeakerDataHeader::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dReferenceDistance;
        ar << static_cast<WORD>(m_dwPolarCount);
        ar << static_cast<WORD>(m_dwMeridianCount);
        ar << static_cast<WORD>(m_dwFrequencyCount);
        ar << m_dFrequencyPitch;
        ar << m_dLowestFrequency;
        ar << m_dHighestFrequency;
        ar << static_cast<WORD>(m_dwTapCount);
        return;
    }
    ar >> m_dReferenceDistance;
    m_dwPolarCount = ar.ReadWord();
    m_dwMeridianCount = ar.ReadWord();
    m_dwFrequencyCount = ar.ReadWord();
    ar >> m_dFrequencyPitch;
    ar >> m_dLowestFrequency;
    ar >> m_dHighestFrequency;
    m_dwTapCount = ar.ReadWord();
    if (m_dwPolarCount == 0 || m_dwMeridianCount == 0)
        CArchive::ThrowFormat("speaker data without polar or meridian angles");
    if (GetCellCount() > SpeakerDataLimits::kMaxBalloonCells)
        CArchive::ThrowFormat("speaker data grid too large");
    // The polar angles and the frequencies follow in every file.
    ar.CheckCount(static_cast<std::uint64_t>(m_dwPolarCount) + m_dwFrequencyCount, sizeof(double));
}

void CSpeakerDataHeader::SerializeValues(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (DWORD i = 0; i < m_dwPolarCount; ++i)
            ar << GetPolarAngle(static_cast<int>(i));
        return;
    }
    ar.CheckCount(m_dwPolarCount, sizeof(double));
    m_polarAngles.assign(m_dwPolarCount, 0.0);
    for (double& a : m_polarAngles)
        ar >> a;
}

void CSpeakerDataHeader::SerializeFrequencies(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (DWORD k = 0; k < m_dwFrequencyCount; ++k)
            ar << GetFrequency(static_cast<int>(k));
        return;
    }
    ar.CheckCount(m_dwFrequencyCount, sizeof(double));
    m_frequencies.assign(m_dwFrequencyCount, 0.0);
    for (double& f : m_frequencies)
        ar >> f;
}

void CSpeakerDataHeader::SerializeSummary(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_dwMeridianCount);
        ar << static_cast<WORD>(m_dwPolarCount);
        ar << m_dFrequencyPitch;
        ar << m_dLowestFrequency;
        ar << m_dHighestFrequency;
        ar << static_cast<WORD>(m_dwTapCount);
        return;
    }
    BYTE discarded[30];
    ar.Read(discarded, sizeof(discarded));
}
