#include "common/CurveCheck.h"

CurveErrorRecord::CurveErrorRecord() { Reset(); }

CurveErrorRecord::CurveErrorRecord(const CurveErrorRecord& other) { Copy(other); }

CurveErrorRecord& CurveErrorRecord::operator=(const CurveErrorRecord& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

CurveErrorRecord::~CurveErrorRecord() = default;

void CurveErrorRecord::Reset()
{
    m_nErrorNo = 0;
    m_nCurveNo = 0;
    m_strCurveNo = "000";
    m_nCurveNfp = 999999;
    m_nCurveNlp = 0;
    m_nCurveDel = 0;
    m_nCurveTotal = 0;
    m_nTestNfp = 0;
    m_nTestNlp = 0;
    m_nTestDel = 0;
    m_nTestTotal = 0;
    m_bNfpOk = true;
    m_bNlpOk = true;
    m_bDelOk = true;
    m_bTotalOk = true;
    m_strNote.clear();
    m_strError.clear();
}

void CurveErrorRecord::Copy(const CurveErrorRecord& other)
{
    m_nErrorNo = other.m_nErrorNo;
    m_nCurveNo = other.m_nCurveNo;
    m_nCurveNfp = other.m_nCurveNfp;
    m_nCurveNlp = other.m_nCurveNlp;
    m_nCurveDel = other.m_nCurveDel;
    m_nCurveTotal = other.m_nCurveTotal;
    m_nTestNfp = other.m_nTestNfp;
    m_nTestNlp = other.m_nTestNlp;
    m_nTestDel = other.m_nTestDel;
    m_nTestTotal = other.m_nTestTotal;
    m_bNfpOk = other.m_bNfpOk;
    m_bNlpOk = other.m_bNlpOk;
    m_bDelOk = other.m_bDelOk;
    m_bTotalOk = other.m_bTotalOk;
    m_strNote = other.m_strNote;
    m_strError = other.m_strError;
    FormatCurveNumber();
}

void CurveErrorRecord::FormatCurveNumber()
{
    const std::string number = std::to_string(m_nCurveNo);
    if (m_nCurveNo < 10)
        m_strCurveNo = "00" + number;
    else if (m_nCurveNo < 100)
        m_strCurveNo = "0" + number;
    else
        m_strCurveNo = number;
}
