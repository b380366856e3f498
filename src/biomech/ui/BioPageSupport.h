#pragma once
// What the biomechanics pages share beyond the page protocol: the occupant-type gate of the
// occupant pages, and the record pages whose record count is a member of the data object.
//
// A page closed by the test's Occupant Type shows its values greyed and keeps them; it is never
// refused when left and never checked before a save (its values cannot be corrected there).

#include "biomech/BioData.h"
#include "common/ui/DataPage.h"

#include <vector>

// The controls every biomechanics record page names alike.
enum { IDC_BIO_RETAIN_LAST = 1078, IDC_BIO_NEXT = 1314, IDC_BIO_DELETE = 1326 };

// A record page's controls: its own record list beside the common buttons.
constexpr RecordControls BioRecordControls(int list)
{
    return {list, IDC_BIO_NEXT, IDC_BIO_DELETE, IDC_BIO_RETAIN_LAST};
}

// Which occupant types open a page.
enum class OccupantGate {
    Always,
    Dummy,          // any type but "", "AN", "CD", "HU"
    Biological,     // "AN", "CD", "HU"
    AnimalOrCadaver // "AN", "CD"
};

bool IsGateOpen(OccupantGate gate, const CString& occupantType);

// A page (single record or records) under an occupant-type gate: `ids` are the controls the gate
// enables; the others keep their state.
template <class Base> class CBioGatedPage : public Base {
public:
    template <class... Args>
    CBioGatedPage(OccupantGate gate, std::vector<int> ids, Args&&... args)
        : Base(std::forward<Args>(args)...)
        , m_gate(gate)
        , m_gatedIds(std::move(ids))
    {
    }

    bool IsEnabledByOccupantType() const
    {
        return !this->m_pData || IsGateOpen(m_gate, this->m_pData->m_strOccupantType);
    }
    void EnableByOccupantType()
    {
        const bool enable = IsEnabledByOccupantType();
        for (int id : m_gatedIds)
            this->EnableDlgItem(id, enable);
    }

    BOOL OnSetActive() override
    {
        EnableByOccupantType();
        return Base::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        if (IsEnabledByOccupantType())
            return Base::OnKillActive();
        this->SavePage();
        return CPropertyPage::OnKillActive();
    }
    bool ValidatePage() override { return !IsEnabledByOccupantType() || Base::ValidatePage(); }

private:
    OccupantGate m_gate;
    std::vector<int> m_gatedIds;
};

// A single-record biomechanics page: blocking, as every biomechanics page is.
class CBioDataPage : public CDataPage<CBioData> {
public:
    CBioDataPage(const DlgTemplate* tmpl, std::span<const PageField<CBioData>> fields,
                 std::span<const PageTip> tips = {})
        : CDataPage<CBioData>(tmpl, fields, tips)
    {
        m_bBlocking = true;
    }
};

// A biomechanics record page whose record count is `count` of the data object: read on entering,
// written on every save and every delete.
class CBioRecordPage : public CDataRecordPage<CBioData> {
public:
    CBioRecordPage(const DlgTemplate* tmpl, std::span<const PageField<CBioData>> fields, RecordControls controls,
                   const char* className, int CBioData::*count, std::span<const PageTip> tips = {})
        : CDataRecordPage<CBioData>(tmpl, fields, controls, className, tips)
        , m_count(count)
    {
    }

protected:
    int DataRecordCount(const CBioData& data) const override { return std::max(data.*m_count, 0); }
    void SaveExtra(CBioData& data, int /*index*/) override { data.*m_count = m_nRecordCount; }
    void RemoveRecord(int index) override
    {
        CDataRecordPage<CBioData>::RemoveRecord(index);
        if (m_pData)
            m_pData->*m_count = m_nRecordCount;
    }

    int CBioData::*m_count;
};
