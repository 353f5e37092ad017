#include "models/BalloonElement.h"

#include "models/AngleBracket.h"
#include "models/CommaPieces.h"
#include "models/SpeakerDataLimits.h"
#include "models/SpeakerDataProblem.h"
#include "platform/Archive.h"
#include "platform/Numbers.h"
#include "platform/Progress.h"
#include "platform/TextFile.h"

#include <string>

void CBalloonElement::SetDimensions(DWORD rows, DWORD columns, DWORD frequencies)
{
    SetDimensionsWithoutCells(rows, columns, frequencies);
    m_cells.resize(static_cast<std::size_t>(rows) * columns * frequencies);
}

void CBalloonElement::SetDimensionsWithoutCells(DWORD rows, DWORD columns, DWORD frequencies)
{
    m_dwRows = rows;
    m_dwColumns = columns;
    m_dwFrequencies = frequencies;
    m_angles.resize(rows, 0.0);
    m_cells.clear();
}

double CBalloonElement::GetAngle(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < m_angles.size() ? m_angles[i] : 0.0;
}

BOOL CBalloonElement::FindAngleBracket(double a, double& lo, double& hi, int& iLo, int& iHi) const
{
    return FindAngleBracketIn(m_angles, a, lo, hi, iLo, iHi);
}

BOOL CBalloonElement::ReadText(CStdioFile& file, IProgress* progress, CSpeakerDataProblem* problem)
{
    const int rows = static_cast<int>(m_dwRows);
    const int columns = static_cast<int>(m_dwColumns);
    const int frequencies = static_cast<int>(m_dwFrequencies);
    std::string line;

    for (int i = 0; i + 1 < rows; ++i) {
        if (progress)
            progress->PumpMessages();
        if (file.ReadString(line)) {
            m_angles[i] = Numbers::Atof(line);
            if (!SpeakerDataLimits::IsUsableAngle(m_angles[i])) {
                if (problem)
                    problem->SetValueOutOfRange(CSpeakerDataProblem::kMeridianAngle, file.LineNumber());
                return false;
            }
        }
        for (int k = 0; k < frequencies; ++k) {
            if (file.ReadString(line)) {
                // Level and phase pairs, one per polar angle; a level without
                // its phase and pairs beyond the row are not part of the data.
                CCommaPieces pieces(line);
                std::string_view level, phase;
                for (int j = 0; j < columns && pieces.Next(level) && pieces.Next(phase); ++j) {
                    const double dB = Numbers::Atof(level);
                    const double degrees = Numbers::Atof(phase);
                    // A level whose pressure overflows, or a phase that gives
                    // no direction, would make every level of a map infinite
                    // or no number.
                    if (!SpeakerDataLimits::IsUsableLevelPhase(dB, degrees)) {
                        if (problem)
                            problem->SetValueOutOfRange(SpeakerDataLimits::IsUsableLevelPhase(dB, 0.0)
                                                            ? CSpeakerDataProblem::kPhase
                                                            : CSpeakerDataProblem::kLevel,
                                                        file.LineNumber());
                        return false;
                    }
                    GetCell(i, j, k).SetLevelPhase(dB, degrees);
                }
            }
            if (progress) {
                progress->SetPos(progress->m_nStepCounter);
                ++progress->m_nStepCounter;
            }
        }
    }
    if (rows < 1)
        return true;

    // Close the ring: the 360-degree row repeats row 0.
    m_angles[rows - 1] = 360.0;
    for (int j = 0; j < columns; ++j) {
        for (int k = 0; k < frequencies; ++k)
            GetCell(rows - 1, j, k) = GetCell(0, j, k);
    }
    // Every meridian meets at the two poles: one value per frequency.
    if (columns < 1)
        return true;
    for (int i = 0; i < rows; ++i) {
        for (int k = 0; k < frequencies; ++k) {
            GetCell(i, 0, k) = GetCell(0, 0, k);
            GetCell(i, columns - 1, k) = GetCell(0, columns - 1, k);
        }
    }
    return true;
}

bool CBalloonElement::AreValuesUsable() const
{
    for (double a : m_angles) {
        if (!SpeakerDataLimits::IsUsableAngle(a))
            return false;
    }
    for (const CSPComplex& c : m_cells) {
        if (!SpeakerDataLimits::IsUsablePressure(c.re, c.im))
            return false;
    }
    return true;
}

void CBalloonElement::SerializeAngleValues(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (double a : m_angles)
            ar << a;
        return;
    }
    ar.CheckCount(m_dwRows, sizeof(double));
    m_angles.assign(m_dwRows, 0.0);
    for (double& a : m_angles)
        ar >> a;
}

void CBalloonElement::SerializeData(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const CSPComplex& c : m_cells)
            ar << c.re << c.im;
        if (m_cells.empty()) {
            const std::uint64_t cells = std::uint64_t{m_dwRows} * m_dwColumns * m_dwFrequencies;
            for (std::uint64_t i = 0; i < cells; ++i)
                ar << 0.0 << 0.0;
        }
        return;
    }
    ar.CheckCount(m_cells.size(), 2 * sizeof(double));
    for (CSPComplex& c : m_cells)
        ar >> c.re >> c.im;
}

void CBalloonElementArray::SerializeAngles(CArchive& ar)
{
    if (empty())
        return;
    CBalloonElement& first = front();
    first.SerializeAngleValues(ar);
    for (std::size_t i = 1; i < size(); ++i)
        (*this)[i].GetAngles() = first.GetAngles();
}

void CBalloonElementArray::Serialize(CArchive& ar)
{
    SerializeAngles(ar);
    for (CBalloonElement& balloon : *this)
        balloon.SerializeData(ar);
}
