#pragma once
// The module counts of a speaker model (centre, upper and lower groups) and
// its taps: per tap a low-impedance flag (value in ohms) or a line tap (value
// in volts), the power in W and the factor by which the amplifier power
// exceeds the tap power. One tap is the current one.

#include "platform/Types.h"

#include <vector>

class CArchive;
class CStdioFile;

class CSpeakerTapTable {
public:
    CSpeakerTapTable() = default;

    void SetModuleCounts(DWORD centre, DWORD upper, DWORD lower);
    // centre + upper + lower.
    DWORD GetElementCount() const;
    DWORD GetCentreCount() const { return m_dwCentreCount; }
    DWORD GetUpperCount() const { return m_dwUpperCount; }
    DWORD GetLowerCount() const { return m_dwLowerCount; }

    // Not checked against the tap count: callers keep it within.
    int GetCurTap() const { return m_nCurTap; }
    void SetCurTap(int tap) { m_nCurTap = tap; }
    // 1 when positions are shown in feet, else 0.
    int GetUnitFlag() const { return m_nUnitFlag; }
    void SetUnitFlag(int flag) { m_nUnitFlag = flag; }

    // Sizes the four per-tap arrays together (new taps: line tap, 0.0).
    void SetTapCount(DWORD n);
    DWORD GetTapCount() const { return static_cast<DWORD>(m_lowImpedance.size()); }
    // Entry i; FALSE / 0.0 for an index outside the table.
    BOOL IsLowImpedance(int i) const;
    double GetValue(int i) const;
    double GetPower(int i) const;
    double GetFactor(int i) const;
    // Sets tap i whole (ignored for an index outside the table).
    void SetTap(int i, bool lowImpedance, double value, double power, double factor);

    // The three reserved words (carried through the project file).
    DWORD GetReserved(int i) const;

    // The three reserved fields as three WORDs.
    void SerializeHeader(CArchive& ar);
    // WORD current tap, then per tap: WORD flag, f64 value, f64 power and,
    // except in files of version 0x01000000 and 0x01030000, f64 factor.
    // The table must have been sized to the tap count before loading.
    void Serialize(CArchive& ar, DWORD version);

    // One line per tap, as many as the tap count: kind letter "h" or "l",
    // value, power, optional factor, separated by ",". FALSE when a line is
    // missing or a tap is not usable (below).
    BOOL ReadFromFile(CStdioFile& file);
    // True when every tap's value, power and factor are numbers within the
    // bounds of SpeakerDataLimits.h and no power is negative.
    bool AreTapsUsable() const;

    // Project-file versions whose tap records carry no factor.
    static bool VersionHasTapFactor(DWORD version);

private:
    bool IsTapUsable(std::size_t i) const;

    DWORD m_dwCentreCount = 0;
    DWORD m_dwUpperCount = 0;
    DWORD m_dwLowerCount = 0;
    std::vector<bool> m_lowImpedance;
    std::vector<double> m_values;
    std::vector<double> m_powers;
    std::vector<double> m_factors;
    DWORD m_dwReserved[3] = {0, 0, 0};
    int m_nCurTap = 0;
    int m_nUnitFlag = 0;
};
