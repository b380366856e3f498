#include "biomech/BioData.h"

#include "biomech/BioSections.h"
#include "common/GrLayout.h"

#include <algorithm>

namespace {

// The record groups, each with its count member.
struct Group {
    const BioSection& (*section)();
    int CBioData::*count;
};

const Group kGroups[] = {
    {RibSection, &CBioData::m_nRibCount},
    {InjurySection, &CBioData::m_nInjuryCount},
    {BioRestraintSection, &CBioData::m_nRestraintCount},
    {ChestBandSection, &CBioData::m_nChestBandCount},
    {GaugeSection, &CBioData::m_nGaugeCount},
    {BioInstrumentationSection, &CBioData::m_nInstCount},
};

bool IsBiologicalType(const CString& type) { return type == "AN" || type == "CD" || type == "HU"; }

} // namespace

CBioData::CBioData()
{
    for (const BioSection* section : {&BioTestSection(), &DummyOccupantSection(), &BioOccupantSection(),
                                      &AnthropometrySection()})
        ResetSection(*this, *section, 0);
    m_strVersion = "B5";
    m_strRecorderType = "DDA";
    m_strDataLinkType = "UMB";
    m_nCurveCount = 0;
    for (const Group& group : kGroups) {
        this->*group.count = 0;
        ResetSection(*this, group.section(), 2);
    }
    for (int n : {0, 1}) {
        m_saInstXUnits.SetAt(n, "SEC");
        m_saInstDataStatus.SetAt(n, "AM");
        m_saInstChannelStatus.SetAt(n, "P");
    }
}

CBioData::~CBioData() = default;

// The reference values are those of a test after Clear All Pages, not the constructor's.
bool CBioData::HasTestData() const
{
    if (m_strVersion != "B5")
        return true;
    for (const CString* text : {&m_strTitle, &m_strObjectives, &m_strTestDate, &m_strPerformer, &m_strContractNo,
                                &m_strTestReference, &m_strConfiguration, &m_strAmbientTemp, &m_strRecorderType,
                                &m_strDataLinkType, &m_strClosingSpeed, &m_strImpactAngle}) {
        if (!text->IsEmpty())
            return true;
    }
    if (m_nCurveCount != 0)
        return true;
    if (m_strOccupantType != "CD" && !m_strOccupantType.IsEmpty())
        return true;
    return !m_strTestComments.IsEmpty();
}

bool CBioData::IsDummyOccupant() const
{
    if (IsRecordEmpty(*this, DummyOccupantSection(), 0))
        return false;
    return !m_strOccupantType.IsEmpty() && !IsBiologicalType(m_strOccupantType);
}

bool CBioData::IsBioOccupant() const
{
    if (IsRecordEmpty(*this, BioOccupantSection(), 0))
        return false;
    return IsBiologicalType(m_strOccupantType);
}

bool CBioData::HasAnthropometry() const { return !IsRecordEmpty(*this, AnthropometrySection(), 0); }

bool CBioData::HasRibData()
{
    for (int n = 1; n <= m_nRibCount; ++n) {
        for (const BioField& field : RibSection().fields) {
            if (field.kind != BioField::Array)
                continue;
            CString& value = (this->*field.array).ElementAt(n);
            if (!value.Trim().IsEmpty())
                return true;
        }
    }
    return false;
}

bool CBioData::HasInjuryRecords() const { return m_nInjuryCount > 0; }

CString CBioData::CleanIntegerField(CString text) { return ::CleanIntegerField(text); }

CString CBioData::CleanRealField(CString text) { return ::CleanRealField(text); }

void CBioData::KeepGroupsInStep()
{
    for (const Group& group : kGroups) {
        int& count = this->*group.count;
        count = std::clamp(count, 0, kMaxSectionRecords);
        GrowSection(*this, group.section(), count + 1);
    }
}
