#pragma once
// The desktop's combo-box calls over a QComboBox: entries kept as Windows-1252 bytes, the
// sorted style, and selecting the first entry that begins with a text, ignoring case.

#include "platform/CString.h"

#include <QComboBox>
#include <QPointer>

constexpr int CB_ERR = -1;

class CComboBox {
public:
    explicit CComboBox(QComboBox* box = nullptr)
        : m_box(box)
    {
    }
    void Attach(QComboBox* box) { m_box = box; }
    QComboBox* GetWindow() const { return m_box.data(); }

    // A sorted box keeps its entries in case-insensitive order as they are added.
    void SetSorted(bool sorted);
    bool IsSorted() const;

    int AddString(const char* text);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // Selects the entry (its text shows in the edit field); -1 clears. CB_ERR when out of range.
    int SetCurSel(int index);
    CString GetLBText(int index) const;
    CString GetWindowText() const;
    void SetWindowText(const char* text);

    // Selects the first entry after `startAfter` (-1: from the top), wrapping round, that begins
    // with `prefix` ignoring case: its index; CB_ERR, and the box unchanged, when there is none.
    int SelectString(int startAfter, const char* prefix);

private:
    int FindString(int startAfter, const char* prefix) const;

    QPointer<QComboBox> m_box;
};
