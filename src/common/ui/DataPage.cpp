#include "common/ui/DataPage.h"

CString TooltipText(const char* text) { return text ? CString(text).Left(80) : CString(); }

CEmptyPage::CEmptyPage(const char* caption)
    : CPropertyPage(&m_template, caption)
    , m_template {caption, 509, 209, "DejaVu Sans", 8, false, {}}
{
}
