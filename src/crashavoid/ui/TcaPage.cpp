#include "crashavoid/ui/TcaPage.h"

#include "codes/CodeCheck.h"
#include "codes/ui/Search.h"
#include "platform/Codec.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include <cstring>

namespace tcapage {

bool CheckCode(CNEdit& field, const char* table, const char* checkTag, const char* searchTag)
{
    CString text = field.GetText();
    text.TrimLeft();
    if (text.IsEmpty()) {
        field.SetValid(true);
        return true;
    }
    // A code offered by the page's "Find" is a code of the page, whichever of its two tags it
    // stands under.
    CCodeCheck::Outcome outcome = CCodeCheck::CheckText(field.GetText(), table, checkTag);
    if (outcome == CCodeCheck::Outcome::NotFound && searchTag && std::strcmp(searchTag, checkTag) != 0)
        outcome = CCodeCheck::CheckText(field.GetText(), table, searchTag);
    if (outcome == CCodeCheck::Outcome::Found || outcome == CCodeCheck::Outcome::NotFound)
        field.SetValid(outcome == CCodeCheck::Outcome::Found);
    return outcome == CCodeCheck::Outcome::Found || outcome == CCodeCheck::Outcome::Blank;
}

bool SearchCode(const char* table, const char* tag, CString& code, const CString& query, CString* units)
{
    CSearch search(nullptr, table, tag, query, FALSE);
    if (search.DoModal() != IDOK)
        return false;
    code = search.GetCode();
    if (units)
        *units = search.ChosenRow().GetSize() >= 5 ? search.ChosenRow().GetAt(4) : CString();
    return true;
}

bool BreaksFileLine(const std::string& value, bool lineStart)
{
    return value.find("-----") != std::string::npos || (lineStart && !value.empty() && value[0] == '#');
}

QString TooltipText(const char* text)
{
    return ToQString(CString(text ? text : "").Left(79));
}

} // namespace tcapage

void CTcaRecordList::Attach(QWidget* control)
{
    if (auto* combo = dynamic_cast<QComboBox*>(control))
        m_combo.Attach(combo);
    else if (auto* list = dynamic_cast<QListWidget*>(control))
        m_list.Attach(list);
}

void CTcaRecordList::Refill(int count, int current)
{
    // Refilling and selecting are the page's own doing, not a choice of the user.
    QWidget* w = m_combo.GetWindow() ? static_cast<QWidget*>(m_combo.GetWindow()) : m_list.GetWindow();
    if (!w)
        return;
    const QSignalBlocker block(w);
    if (m_combo.GetWindow()) {
        if (m_combo.GetCount() != count) {
            m_combo.ResetContent();
            for (int i = 1; i <= count; ++i)
                m_combo.AddString(std::to_string(i).c_str());
        }
        m_combo.SetCurSel(current >= 0 && current < count ? current : -1);
        if (current < 0)
            m_combo.SetWindowText("");
    } else {
        if (m_list.GetCount() != count) {
            m_list.ResetContent();
            for (int i = 1; i <= count; ++i)
                m_list.AddString(CString(std::to_string(i)));
        }
        m_list.SetCurSel(current >= 0 && current < count ? current : -1);
    }
}

int CTcaRecordList::GetCurSel() const
{
    return m_combo.GetWindow() ? m_combo.GetCurSel() : m_list.GetCurSel();
}

void CTcaRecordList::SetCurSel(int index)
{
    QWidget* w = m_combo.GetWindow() ? static_cast<QWidget*>(m_combo.GetWindow()) : m_list.GetWindow();
    if (!w)
        return;
    const QSignalBlocker block(w);
    if (m_combo.GetWindow())
        m_combo.SetCurSel(index);
    else
        m_list.SetCurSel(index);
}

CString CTcaRecordList::GetWindowText() const { return m_combo.GetWindow() ? m_combo.GetWindowText() : CString(); }

void CTcaRecordList::SetWindowText(const CString& text)
{
    if (QComboBox* box = m_combo.GetWindow()) {
        const QSignalBlocker block(box);
        m_combo.SetWindowText(text);
    }
}
