#pragma once
// What the biomechanics pages share beyond the page protocol: the occupant-type gate of the
// occupant pages, and the record pages whose record count is a member of the data object.
//
// A page closed by the test's Occupant Type shows its values greyed and keeps them; it is never
// refused when left, so a value the user cannot correct there never holds him. The files still
// carry some closed pages' sections (ribs and injuries of a human, anthropometry of a dummy):
// before such a save the closed page's values are checked as an open page's are, and a failure
// opens the page, its bad value shown and named, until the value passes or is cleared.

#include "biomech/BioData.h"
#include "biomech/BioSections.h"
#include "common/ui/DataPage.h"
#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/ui/PropertySheet.h"

#include <string>
#include <type_traits>
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

// What the sheet asks of a page under the occupant-type gate before a save.
class IOccupantGated {
public:
    virtual ~IOccupantGated() = default;
    // The values of a page the Occupant Type closes, checked as an open page's are (an open page
    // passes: it is checked when left and by the sheet). On a failure the page opens and comes to
    // the front with the bad record, its first bad field coloured and named in a box that ends
    // with `noOutput`; it stays open until its values pass or are cleared. `section` names the
    // fields as the files do.
    virtual bool CheckClosedValues(const BioSection& section, const char* noOutput) = 0;
};

// The name the files give a page field: its report label less the colon ("AIS 90").
template <class Data> CString SectionFieldName(const Section<Data>& section, const PageField<Data>& field)
{
    for (const SectionField<Data>& row : section.fields) {
        const bool same = (field.array && row.array == field.array) || (field.member && row.text == field.member);
        if (same && row.label) {
            const CString label(row.label);
            const int colon = label.ReverseFind(':');
            return colon < 0 ? label : label.Left(colon);
        }
    }
    return CString("a field");
}

// A page (single record or records) under an occupant-type gate: `ids` are the controls the gate
// enables; the others keep their state.
template <class Base> class CBioGatedPage : public Base, public IOccupantGated {
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
    // Open to the user: by the Occupant Type, or while a value a save found bad is corrected.
    bool IsOpen() const { return IsEnabledByOccupantType() || m_bCorrecting; }
    void EnableByOccupantType()
    {
        const bool enable = IsOpen();
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
        if (!IsOpen())
            return CPropertyPage::OnKillActive();
        if (!Base::OnKillActive())
            return FALSE;
        if (m_bCorrecting) {
            // Corrected or cleared: the Occupant Type closes the page again.
            m_bCorrecting = false;
            EnableByOccupantType();
        }
        return TRUE;
    }
    bool ValidatePage() override { return !IsOpen() || Base::ValidatePage(); }
    // Nothing can be typed into a closed page: the data, not its greyed controls, holds its
    // values, and a report's saving of every page never writes the controls over them.
    BOOL SavePage() override { return !IsOpen() || Base::SavePage(); }
    void ClearPage() override
    {
        m_bCorrecting = false;
        Base::ClearPage();
    }

    bool CheckClosedValues(const BioSection& section, const char* noOutput) override
    {
        if (IsOpen())
            return true;
        if (!this->HasWindow()) {
            // Made unseen: the page in front stays there unless this page fails.
            this->EnsureCreated();
            this->OnSetActive();
        }
        this->LoadPage();
        if (Base::ValidatePage())
            return true;
        m_bCorrecting = true;
        int bad = 0;
        if constexpr (std::is_base_of_v<CRecordPage, Base>)
            bad = this->m_nRecordIndex;
        if (CPropertySheet* sheet = this->GetParentSheet())
            sheet->SetActivePage(this);
        // Entering may show another record (the injury page opens on the last): the bad one again.
        if constexpr (std::is_base_of_v<CRecordPage, Base>)
            this->m_nRecordIndex = bad;
        EnableByOccupantType();
        this->LoadPage();
        this->ShowBlockingField();
        CString field = "a field";
        for (const PageField<CBioData>& row : this->Fields()) {
            if (!this->Edit(row.id)->IsValid()) {
                field = SectionFieldName(section, row);
                break;
            }
        }
        CString where = field;
        if constexpr (std::is_base_of_v<CRecordPage, Base>)
            where += " of record " + CString(std::to_string(this->m_nRecordIndex));
        const CString text = "Illegal data found in " + where + " of \"" + FromQString(this->Caption()) +
                             "\". The page is open to correct or clear it. " + noOutput;
        AfxMessageBox(text);
        return false;
    }

private:
    OccupantGate m_gate;
    std::vector<int> m_gatedIds;
    bool m_bCorrecting = false; // opened by a failed check before a save
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
