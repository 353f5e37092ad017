#pragma once
// The description of one imported speaker data set: its name, the grid of
// its directivity balloons (meridian rows, polar angles, frequencies), the
// reference distance of the measurement, the frequency pitch and the number
// of taps.

#include "platform/Types.h"

#include <cstdint>
#include <string>
#include <vector>

class CArchive;
class CSpeakerDataProblem;
class CStdioFile;

class CSpeakerDataHeader {
public:
    CSpeakerDataHeader() = default;

    void SetType(DWORD type) { m_dwType = type; }
    DWORD GetType() const { return m_dwType; }
    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }

    double GetReferenceDistance() const { return m_dReferenceDistance; }
    DWORD GetPolarAngleCount() const { return m_dwPolarCount; }
    // Meridian rows of a balloon, the closing 360-degree row included.
    DWORD GetMeridianAngleCount() const { return m_dwMeridianCount; }
    DWORD GetFrequencyCount() const { return m_dwFrequencyCount; }
    double GetFrequencyPitch() const { return m_dFrequencyPitch; }
    double GetHighestFrequency() const { return m_dHighestFrequency; }
    double GetLowestFrequency() const { return m_dLowestFrequency; }
    DWORD GetTapCount() const { return m_dwTapCount; }

    const std::vector<double>& GetPolarAngles() const { return m_polarAngles; }
    const std::vector<double>& GetFrequencies() const { return m_frequencies; }
    // Entry i, 0.0 when i is outside the list.
    double GetPolarAngle(int i) const;
    double GetFrequency(int i) const;
    // Cells of one balloon on this grid: meridian x polar x frequency count.
    std::uint64_t GetCellCount() const;

    // Setting up a header without an import file (the file readers below
    // fill the same fields).
    void SetTapCount(DWORD n) { m_dwTapCount = n; }
    void SetMeridianAngleCount(DWORD n) { m_dwMeridianCount = n; }
    // Replaces the polar angles; the polar angle count follows.
    void SetPolarAngles(const std::vector<double>& angles);
    // Builds the 1/pitch-octave series within [lowest, highest].
    // FALSE (nothing changed) when the series would exceed the bounds.
    BOOL SetFrequencyRange(double lowest, double highest, int pitch);

    // TRUE when f lies below the lowest or above the highest frequency.
    BOOL IsFrequencyOutOfRange(double f) const;
    // The last index whose frequency equals f exactly; -1 when none does.
    int FindFrequencyIndex(double f) const;
    // Locates polar angle a (see FindAngleBracketIn); TRUE on a grid angle.
    BOOL FindBracket(double a, double& lo, double& hi, int& iLo, int& iHi) const;

    // The seven header lines of the import file: name, tap count, meridian
    // rows in the file, polar angle count, frequency pitch, lowest and
    // highest frequency. FALSE when a line is missing or the counts describe
    // a grid that cannot be held (see SpeakerDataLimits.h); problem, when
    // given, is told which.
    BOOL ReadHeader(CStdioFile& file, CSpeakerDataProblem* problem = nullptr);
    // The polar-angle line: values separated by ",", empty pieces skipped.
    // FALSE also for an angle beyond the bounds (see SpeakerDataLimits.h).
    BOOL ReadValues(CStdioFile& file);
    // True when every value is a number within the bounds of
    // SpeakerDataLimits.h: reference distance above 0, a whole pitch,
    // finite range ends, polar angles and frequencies.
    bool AreValuesUsable() const;

    // 40 bytes: reference distance, polar, meridian and frequency counts,
    // pitch, lowest, highest frequency, tap count. Loading refuses a grid
    // without cells or beyond the bounds (format error) and checks that the
    // polar angles and frequencies can still follow.
    void Serialize(CArchive& ar);
    // The polar angles, no count; loading sizes the list from the count.
    void SerializeValues(CArchive& ar);
    // The frequencies, no count; loading sizes the list from the count.
    void SerializeFrequencies(CArchive& ar);
    // The older 30-byte header record of project files before 2.0; loading
    // reads it and discards it.
    void SerializeSummary(CArchive& ar);

private:
    DWORD m_dwType = 0;
    std::string m_strName;
    double m_dReferenceDistance = 1.0;
    DWORD m_dwPolarCount = 0;
    DWORD m_dwMeridianCount = 0;
    DWORD m_dwFrequencyCount = 0;
    double m_dFrequencyPitch = 0.0;
    double m_dHighestFrequency = 0.0;
    double m_dLowestFrequency = 0.0;
    DWORD m_dwTapCount = 0;
    std::vector<double> m_polarAngles;
    std::vector<double> m_frequencies;
};
