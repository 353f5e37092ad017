#pragma once
// Why a speaker-data file was not imported: what is wrong, where in the file
// and, for a value out of range, which value. The import readers note the
// first fault they meet (a later note does not replace it); the document
// turns it into the message the user sees.

#include <cstddef>

class CStdioFile;

class CSpeakerDataProblem {
public:
    enum Kind {
        kNone,
        kNotSpeakerData,   // the file holds no speaker data at all
        kEndsEarly,        // the file ends before the data it declares
        kValueOutOfRange,  // a value that no speaker data can have
    };
    // The values a file can give out of range.
    enum Value {
        kTypeCode,
        kModuleCount,
        kTapCount,
        kGridSize,  // meridian rows, polar angles, or the cells they make
        kFrequencyPitch,
        kFrequencyRange,
        kTap,
        kPolarAngle,
        kMeridianAngle,
        kLevel,
        kPhase,
        kModuleGeometry,
        kPowerShare,
    };

    // line: the line found to be no speaker data.
    void SetNotSpeakerData(std::size_t line);
    // lastLine: the last line the file has (0 when the end was found
    // without reading to it).
    void SetEndsEarly(std::size_t lastLine);
    // line: the line that holds the value (0 when no single line does).
    void SetValueOutOfRange(Value value, std::size_t line);
    // After a reader gave up on file: a line too long for any speaker data
    // makes the file no speaker data, the end of the file makes it end too
    // early, and otherwise value, on the line read last, was refused.
    void SetFromFile(const CStdioFile& file, Value value);

    bool IsSet() const { return m_kind != kNone; }
    Kind GetKind() const { return m_kind; }
    Value GetValue() const { return m_value; }
    std::size_t GetLine() const { return m_line; }

private:
    Kind m_kind = kNone;
    Value m_value = kTypeCode;
    std::size_t m_line = 0;
};
