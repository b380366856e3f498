#pragma once
// The record pages of the biomechanics sheet beside the instrumentation: ribs, injuries,
// restraints, chest bands and chest-band gauges, each its template and field table on the record
// page protocol. Rib and injury pages open by the test's Occupant Type.

#include "biomech/ui/BioPageSupport.h"

// "Rib Info": open for "AN" and "CD".
class CBioRibPage : public CBioGatedPage<CBioRecordPage> {
    Q_OBJECT
public:
    enum { IDD = 162, IDC_RIB_LOCATION = 1370, IDC_RECORD_LIST = 1591, IDC_SEARCH_LOCATION = 1631 };
    CBioRibPage();
    ~CBioRibPage() override;
};

// "Occupant Injury Info": open for "AN" and "CD"; shows the last injury on entering.
class CBioInjPage : public CBioGatedPage<CBioRecordPage> {
    Q_OBJECT
public:
    enum {
        IDD = 155,
        IDC_BODY_REGION = 1370,
        IDC_BODY_ASPECT = 1371,
        IDC_INJURY = 1372,
        IDC_COMMENTS = 1373,
        IDC_AIS90 = 1374,
        IDC_AIS = 1375,
        IDC_ORGAN = 1376,
        IDC_SEARCH_INJURY = 1498,
        IDC_SEARCH_ORGAN = 1499,
        IDC_SEARCH_REGION = 1500,
        IDC_SEARCH_ASPECT = 1501,
        IDC_SEARCH_AIS = 1503,
        IDC_RECORD_LIST = 1593,
    };
    CBioInjPage();
    ~CBioInjPage() override;
    BOOL OnSetActive() override;
};

// "Restraint Info ": the restraints of the occupant.
class CBioRestPage : public CBioRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 154,
        IDC_COMMENTS = 1368,
        IDC_DEPLOYMENT = 1370,
        IDC_TYPE = 1372,
        IDC_MOUNT = 1373,
        IDC_SEARCH_DEPLOYMENT = 1079,
        IDC_SEARCH_MOUNT = 1309,
        IDC_SEARCH_TYPE = 1310,
        IDC_RECORD_LIST = 1584,
    };
    CBioRestPage();
    ~CBioRestPage() override;
};

// "Chest Band Occupant Info": ">" adds records up to the fifth.
class CBioCBandPage : public CBioRecordPage {
    Q_OBJECT
public:
    enum { IDD = 157, IDC_ANTERIOR_LOCATION = 1373, IDC_RECORD_LIST = 1592 };
    static constexpr int kMaxBands = 5;
    CBioCBandPage();
    ~CBioCBandPage() override;

protected:
    bool NextAllowed() const override { return m_nRecordIndex != kMaxBands; }
};

// "Chest Band Gauge Info".
class CBioGaugePage : public CBioRecordPage {
    Q_OBJECT
public:
    enum { IDD = 161, IDC_BAND_NO = 1371, IDC_CURVE_NO = 1372, IDC_RECORD_LIST = 1590 };
    CBioGaugePage();
    ~CBioGaugePage() override;
};
