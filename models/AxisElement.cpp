#include "models/AxisElement.h"

#include "platform/Archive.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

BOOL CAxisElement::ReadText(CStdioFile& file)
{
    std::string line;
    if (file.ReadString(line))
        m_strName = line;
    for (double* field : {&m_entity.y, &m_entity.x, &m_entity.z, &m_dPowerShare}) {
        if (file.ReadString(line))
            *field = Numbers::Atof(line);
    }
    return true;
}

void CAxisElement::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strName;
        ar << m_entity.x << m_entity.y << m_entity.z;
        return;
    }
    ar >> m_strName;
    ar >> m_entity.x >> m_entity.y >> m_entity.z;
}

void CAxisElementArray::Serialize(CArchive& ar)
{
    for (CAxisElement& element : *this)
        element.Serialize(ar);
}
