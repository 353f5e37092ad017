#pragma once
// The measured directivity of one unit kind: a complex pressure at the
// reference distance for every meridian row, polar angle and frequency.
// Cell (row i, column j, frequency k) has the index (P*i + j)*K + k.

#include "models/SPComplex.h"
#include "platform/Types.h"

#include <cstddef>
#include <vector>

class CArchive;
class CSpeakerDataProblem;
class CStdioFile;
class IProgress;

class CBalloonElement {
public:
    CBalloonElement() = default;

    // R meridian rows (the closing 360-degree row included), P polar angles,
    // K frequencies; new cells 0, new angles 0.0. The caller keeps R*P*K
    // within SpeakerDataLimits::kMaxBalloonCells (the data header does).
    void SetDimensions(DWORD rows, DWORD columns, DWORD frequencies);
    // The same counts and angles, but no cells: a balloon that nothing reads
    // (one of a model without elements in a file before 2.0, which carries
    // no cells for it) holds none and saves as zero cells. SetDimensions
    // gives it its cells later.
    void SetDimensionsWithoutCells(DWORD rows, DWORD columns, DWORD frequencies);
    DWORD GetRowCount() const { return m_dwRows; }
    DWORD GetColumnCount() const { return m_dwColumns; }
    DWORD GetFrequencyCount() const { return m_dwFrequencies; }

    const std::vector<double>& GetAngles() const { return m_angles; }
    std::vector<double>& GetAngles() { return m_angles; }
    double GetAngle(int i) const;

    std::size_t CellIndex(int i, int j, int k) const
    {
        return (static_cast<std::size_t>(m_dwColumns) * i + j) * m_dwFrequencies + k;
    }
    // Indices must lie within the dimensions.
    CSPComplex& GetCell(int i, int j, int k) { return m_cells[CellIndex(i, j, k)]; }
    const CSPComplex& GetCell(int i, int j, int k) const { return m_cells[CellIndex(i, j, k)]; }
    const CSPComplexArray& GetCells() const { return m_cells; }

    // Locates meridian angle a (see FindAngleBracketIn); TRUE on a grid angle.
    BOOL FindAngleBracket(double a, double& lo, double& hi, int& iLo, int& iHi) const;

    // One balloon block of the import file: per meridian row of the file a
    // line with its angle and one line per frequency holding level,phase
    // pairs. Closes the ring with a 360-degree copy of row 0 and makes the
    // poles single-valued. The progress, when given, is pumped once per row
    // and set to its step counter after each frequency line (its result is
    // not looked at). Missing lines leave their cells at 0. FALSE for a
    // meridian angle, level or phase that is no number or lies beyond the
    // bounds of SpeakerDataLimits.h; problem, when given, is told which and
    // on which line.
    BOOL ReadText(CStdioFile& file, IProgress* progress, CSpeakerDataProblem* problem = nullptr);
    // True when every meridian angle and cell lies within the bounds of
    // SpeakerDataLimits.h.
    bool AreValuesUsable() const;

    // The R meridian angles, f64 each, no count.
    void SerializeAngleValues(CArchive& ar);
    // Every cell in index order: f64 real, f64 imaginary (zeros for a
    // balloon that holds no cells).
    void SerializeData(CArchive& ar);

private:
    std::vector<double> m_angles;
    CSPComplexArray m_cells;
    DWORD m_dwRows = 0;
    DWORD m_dwColumns = 0;
    DWORD m_dwFrequencies = 0;
};

class CBalloonElementArray : public std::vector<CBalloonElement> {
public:
    using std::vector<CBalloonElement>::vector;

    // Element 0's meridian angles once; every other element's angles are
    // then made equal to element 0's (storing and loading).
    void SerializeAngles(CArchive& ar);
    // SerializeAngles, then every element's SerializeData in order.
    void Serialize(CArchive& ar);
};
