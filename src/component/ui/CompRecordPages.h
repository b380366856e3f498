#pragma once
// The record pages of the component sheet: what they share (the vehicle and component picks, the
// references checked as pairs against the records they name), "Component Info" and "Component
// Configuration Info".

#include "common/ui/DataPage.h"
#include "component/CompData.h"

#include <optional>
#include <vector>

// Marks `field` valid when its text is empty or when some record i (1 .. count, within both
// lists) holds it in `list1` together with `other`'s text in `list2`; invalid otherwise.
class CheckPairInLists {
public:
    CheckPairInLists(CNEdit& field, const CNEdit& other, const CStringArray& list1, const CStringArray& list2,
                     int count);
    // The same judgement of two texts.
    static bool Holds(const CString& value1, const CString& value2, const CStringArray& list1,
                      const CStringArray& list2, int count);
};

// What the component, configuration and instrumentation pages share: the vehicle pick and the
// vehicle number's range (0 only when the test has no vehicle).
class CCompRecordPage : public CDataRecordPage<CCompData> {
    Q_OBJECT
public:
    using CDataRecordPage<CCompData>::CDataRecordPage;

    // Only the listed fields make a record invalid.
    bool AllFieldsValid() override;
    bool Blocks(int id) const override;
    // "VEHNO Selection" over the test's vehicles; the chosen number, or nothing.
    std::optional<CString> PickVehicle();
    // Records for the component pick of the configuration and instrumentation pages: those of
    // the vehicle; the chosen component number, or nothing.
    std::optional<CString> PickComponent(const CString& vehicle);
    bool NoVehicle() const { return !m_pData || m_pData->IsVehicleRecordEmpty(1); }

protected:
    // What showing record `index` sets in the data before its fields are filled.
    virtual void PrepareRecord(int /*index*/) {}
    // The listed fields judged on the stored record as its fields would judge it once shown;
    // the record is prepared as showing it prepares it. A page judges its references itself.
    bool StoredRecordValid(int index) override;
    // Whether the stored record passes what the page checks beyond each field's own type.
    virtual bool StoredReferencesValid(int /*index*/) { return true; }
    // The fields whose validity StoredReferencesValid decides.
    virtual bool JudgedAsReference(int /*id*/) const { return false; }
    // The stored text of a record field, trimmed as its field shows it.
    CString StoredText(int id, int index) const;

    std::vector<int> m_validated; // the fields AllFieldsValid asks

private:
    std::vector<size_t> m_judged; // the fields StoredRecordValid judges by type: their positions
};

class CCompCompPage : public CCompRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 151,
        IDC_RECORD_LIST = 1588,
        IDC_NEXTCURVE_BUTTON = 1314,
        IDC_DELETE_BUTTON = 1326,
        IDC_RETAIN_LAST = 1078,
        IDC_VEHICLE_NO = 1402,
        IDC_COMPONENT_NO = 1403,
        IDC_TESTED = 1404,
        IDC_TYPE = 1405,
        IDC_WEIGHT = 1406,
        IDC_MOD_INDICATOR = 1407,
        IDC_MOD_DESCRIPTION = 1408,
        IDC_OCCUPANT_TYPE = 1409,
        IDC_DUMMY_SIZE = 1410,
        IDC_DUMMY_MAKER = 1411,
        IDC_COMMENTS = 1412,
        IDC_SEARCH_CMPNT = 1394,
        IDC_SEARCH_CMPTYP = 1395,
        IDC_SEARCH_MODIND = 1396,
        IDC_SEARCH_OCCTYP = 1397,
        IDC_SEARCH_DUMSIZ = 1398,
        IDC_SEARCH_VEHICLE = 1399,
    };

    CCompCompPage();
    ~CCompCompPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void LoadRecord() override;
    void ApplyTestType();
    void ShowComponentDetails(bool shown);
    void OnSearchVehicle();
    // The rollover vehicle's record ("ROVV"), appended when there is none: its number.
    int RolloverRecord();

protected:
    int DataRecordCount(const CCompData& data) const override { return std::max(data.m_nComponentCount, 0); }
    void SaveExtra(CCompData& data, int index) override;
    void LoadExtra(const CCompData& data, int index) override;
    void PrepareRecord(int index) override;
    // The component number is the record's position, never refused.
    bool JudgedAsReference(int id) const override { return id == IDC_COMPONENT_NO; }

private:
    void OnSearchTestedOrType(int id, const char* table);
};

class CCompConfPage : public CCompRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 152,
        IDC_RECORD_LIST = 1586,
        IDC_NEXTCURVE_BUTTON = 1314,
        IDC_DELETE_BUTTON = 1326,
        IDC_RETAIN_LAST = 1078,
        IDC_VEHICLE_NO = 1424,
        IDC_COMPONENT_NO = 1425,
        IDC_CONFIGURATION_NO = 1426,
        IDC_TEST_DEVICE = 1427,
        IDC_DEVICE_SPEED = 1428,
        IDC_DEVICE_COMMENTS = 1429,
        IDC_TEST_CONFIG = 1430,
        IDC_COMPONENT_SPEED = 1431,
        IDC_CONTACT_ANGLE = 1432,
        IDC_CONTACT_LOCATION1 = 1433,
        IDC_CONTACT_LOCATION2 = 1434,
        IDC_CONTACT_COMMENTS = 1435,
        IDC_CONFIG_COMMENTS = 1436,
        IDC_SEARCH_TSTDEV = 1419,
        IDC_SEARCH_CONFIG = 1420,
        IDC_SEARCH_VEHICLE = 1422,
        IDC_SEARCH_COMPONENT = 1630,
    };

    CCompConfPage();
    ~CCompConfPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnSearchVehicle();
    void OnSearchComponent();
    // Vehicle number in range, then the component a component of that vehicle.
    bool CheckReferences();

protected:
    int DataRecordCount(const CCompData& data) const override { return std::max(data.m_nConfigurationCount, 0); }
    void SaveExtra(CCompData& data, int index) override;
    void LoadExtra(const CCompData& data, int index) override;
    void PrepareRecord(int index) override;
    bool StoredReferencesValid(int index) override;
    bool JudgedAsReference(int id) const override { return id == IDC_VEHICLE_NO || id == IDC_COMPONENT_NO; }
    // The ranges of the reference numbers, which follow the vehicle and component records.
    void ApplyRanges();

public:
    void LoadRecord() override;
};
