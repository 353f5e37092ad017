#include "models/ModuleCountLines.h"

#include "models/SpeakerDataLimits.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <string>

BOOL ReadModuleCountLines(CStdioFile& file, DWORD counts[3], bool bUseThird)
{
    DWORD read[3] = {0, 0, 0};
    long long total = 0;
    for (int i = 0; i < 3; ++i) {
        std::string line;
        if (!file.ReadString(line))
            return FALSE;
        if (i == 2 && !bUseThird)
            break;
        const int value = Numbers::Atoi(line);
        if (value < 0)
            return FALSE;
        read[i] = static_cast<DWORD>(value);
        total += value;
    }
    if (total > static_cast<long long>(SpeakerDataLimits::kMaxModuleCount))
        return FALSE;
    for (int i = 0; i < 3; ++i)
        counts[i] = read[i];
    return TRUE;
}
