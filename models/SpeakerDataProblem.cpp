#include "models/SpeakerDataProblem.h"

#include "platform/TextFile.h"

void CSpeakerDataProblem::SetNotSpeakerData(std::size_t line)
{
    if (IsSet())
        return;
    m_kind = kNotSpeakerData;
    m_line = line;
}

void CSpeakerDataProblem::SetEndsEarly(std::size_t lastLine)
{
    if (IsSet())
        return;
    m_kind = kEndsEarly;
    m_line = lastLine;
}

void CSpeakerDataProblem::SetValueOutOfRange(Value value, std::size_t line)
{
    if (IsSet())
        return;
    m_kind = kValueOutOfRange;
    m_value = value;
    m_line = line;
}

void CSpeakerDataProblem::SetFromFile(const CStdioFile& file, Value value)
{
    if (file.LineTooLong())
        SetNotSpeakerData(file.LineNumber() + 1);
    else if (file.AtEnd())
        SetEndsEarly(file.LineNumber());
    else
        SetValueOutOfRange(value, file.LineNumber());
}
