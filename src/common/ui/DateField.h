#pragma once
// A test-file date edit with its date picker beside it, as the general test pages and the
// biological occupant page have them: the stored text is judged by the test file's date rules
// (a bad one told by the date message when loaded), shown upper-cased, and set into the picker;
// a date chosen in the picker goes, upper-cased, into the data and the edit at once. The picker
// shows no date while the text is empty or bad.

#include "common/ui/NEdit.h"
#include "platform/CString.h"

#include <functional>

class CDlgControls;
class CDateTimeCtrl;

// A stored date text as CDateField::Load leaves it (normalised, upper-cased), without the date
// message: false when Load would tell it or the edit would be marked invalid.
bool ReadDateQuietly(CString& text, const char* section);

class CDateField {
public:
    // `section` names the date in the date message ("TEST").
    CDateField(CDlgControls& page, int pickerId, const char* section)
        : m_page(page)
        , m_pickerId(pickerId)
        , m_section(section)
    {
    }

    // Dialog initialisation: the picker's format, its "no date", and the two connections.
    // `chosen` receives each date the user picks.
    void Init(CNEdit& edit, std::function<void(const CString&)> chosen);
    // The stored text into picker and edit; the stored text is upper-cased in place.
    void Load(CString& stored);
    // Marks the edit by the date rules (no message while the user types).
    void Check();
    // The picker shows no date.
    void EmptyPicker();

private:
    CDateTimeCtrl* Picker() const;
    void OnPicked();

    CDlgControls& m_page;
    int m_pickerId;
    const char* m_section;
    CNEdit* m_edit = nullptr;
    std::function<void(const CString&)> m_chosen;
};
