#include "models/AxisEntity.h"

#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <string>

BOOL CAxisEntity::ReadText(CStdioFile& file)
{
    bool all = true;
    std::string line;
    for (double* field : {&y, &x, &z}) {
        if (file.ReadString(line))
            *field = Numbers::Atof(line);
        else
            all = false;
    }
    return all;
}
