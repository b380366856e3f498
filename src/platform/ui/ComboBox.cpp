#include "platform/ui/ComboBox.h"

#include "platform/Codec.h"

namespace {
const char* const kSortedProperty = "morvelSortedCombo";
}

void CComboBox::SetSorted(bool sorted)
{
    if (m_box)
        m_box->setProperty(kSortedProperty, sorted);
}

bool CComboBox::IsSorted() const { return m_box && m_box->property(kSortedProperty).toBool(); }

int CComboBox::AddString(const char* text)
{
    if (!m_box)
        return CB_ERR;
    const CString entry(text);
    int at = m_box->count();
    if (IsSorted()) {
        at = 0;
        while (at < m_box->count() && GetLBText(at).CompareNoCase(entry) <= 0)
            ++at;
    }
    m_box->insertItem(at, ToQString(entry));
    return at;
}

void CComboBox::ResetContent()
{
    if (m_box)
        m_box->clear();
}

int CComboBox::GetCount() const { return m_box ? m_box->count() : 0; }

int CComboBox::GetCurSel() const { return m_box ? m_box->currentIndex() : CB_ERR; }

int CComboBox::SetCurSel(int index)
{
    if (!m_box || index < -1 || index >= m_box->count())
        return CB_ERR;
    m_box->setCurrentIndex(index);
    if (index == -1 && m_box->isEditable())
        m_box->setEditText(QString());
    return index;
}

CString CComboBox::GetLBText(int index) const
{
    if (!m_box || index < 0 || index >= m_box->count())
        return CString();
    return FromQString(m_box->itemText(index));
}

CString CComboBox::GetWindowText() const { return m_box ? FromQString(m_box->currentText()) : CString(); }

void CComboBox::SetWindowText(const char* text)
{
    if (!m_box)
        return;
    if (m_box->isEditable())
        m_box->setEditText(ToQString(CString(text)));
    else
        m_box->setCurrentIndex(m_box->findText(ToQString(CString(text))));
}

int CComboBox::FindString(int startAfter, const char* prefix) const
{
    const int n = GetCount();
    if (n == 0)
        return CB_ERR;
    const QString p = ToQString(CString(prefix));
    const int first = (startAfter < -1 || startAfter >= n) ? 0 : startAfter + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        if (m_box->itemText(i).startsWith(p, Qt::CaseInsensitive))
            return i;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const char* prefix)
{
    const int found = FindString(startAfter, prefix);
    if (found != CB_ERR)
        m_box->setCurrentIndex(found);
    return found;
}
