#include "models/TypeAandCParam.h"

#include "platform/Archive.h"

void CTypeAandCParam::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nType << m_dAngle;
    } else {
        ar >> m_nType >> m_dAngle;
    }
}

void CTypeAandCParamArray::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        ar.CheckCount(size(), kRecordSize);
    for (CTypeAandCParam& param : *this)
        param.Serialize(ar);
}
