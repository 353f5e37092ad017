#pragma once
// The three module-count lines of an array's import file (centre, upper,
// lower), each read as atoi reads it.

#include "platform/Types.h"

class CStdioFile;

// Reads the three lines into counts. When bUseThird is false the third line
// is read and its value ignored (counts[2] becomes 0). FALSE when a line is
// missing, a used count is negative, or the used counts add up to more than
// SpeakerDataLimits::kMaxModuleCount.
BOOL ReadModuleCountLines(CStdioFile& file, DWORD counts[3], bool bUseThird);
