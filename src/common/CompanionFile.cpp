#include "common/CompanionFile.h"

void CCompanionData::LendTestReference(CString& test) const
{
    if (test.IsEmpty())
        test = m_strTestReference;
}
