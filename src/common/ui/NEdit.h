#pragma once
// The typed, self-validating field of every page and dialog: a single-line edit that knows the
// kind of value it holds (integer, real number, text or date), its limits and whether it may be
// empty, checks its content on every change and shows the result in colour only.
//
// A CNEdit is a member of its page and exists before its window; data exchange attaches it to
// the page's line edit (DDX_Control). Setters called before that store the value only.

#include "platform/CString.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialog.h"

#include <QObject>
#include <QPointer>

#include <string>
#include <string_view>

#include <QLineEdit>
#include <QPlainTextEdit>
class QValidator;

enum class FieldType { None, Int, Real, Text, Date };

// What a page's field table says about one field; CNEdit::Apply sets it in one call.
struct FieldRule {
    FieldType type = FieldType::None;
    double min = 0.0; // integer or real range; shortest text
    double max = 0.0; // integer or real range; longest text
    bool allowEmpty = false;
    const char* tooltip = nullptr;
    unsigned displayLength = 0; // date fields: 6 MMDDYY, 8 MMDDYYYY, else "Mon DD, YYYY"

    static FieldRule Int(int min, int max, bool allowEmpty, const char* tooltip = nullptr)
    {
        return {FieldType::Int, double(min), double(max), allowEmpty, tooltip, 0};
    }
    static FieldRule Real(double min, double max, bool allowEmpty, const char* tooltip = nullptr)
    {
        return {FieldType::Real, min, max, allowEmpty, tooltip, 0};
    }
    static FieldRule Text(unsigned minLength, unsigned maxLength, bool allowEmpty, const char* tooltip = nullptr)
    {
        return {FieldType::Text, double(minLength), double(maxLength), allowEmpty, tooltip, 0};
    }
    static FieldRule Date(bool allowEmpty, unsigned displayLength = 0, const char* tooltip = nullptr)
    {
        return {FieldType::Date, 0.0, 0.0, allowEmpty, tooltip, displayLength};
    }
    static FieldRule Plain(const char* tooltip = nullptr) { return {FieldType::None, 0.0, 0.0, false, tooltip, 0}; }
};

class CNEdit : public QObject {
    Q_OBJECT
public:
    static constexpr COLORREF kBlack = RGB(0, 0, 0);
    static constexpr COLORREF kWhite = RGB(255, 255, 255);
    static constexpr COLORREF kYellow = RGB(255, 255, 0);
    static constexpr COLORREF kRed = RGB(255, 0, 0);
    static constexpr COLORREF kLightGrey = RGB(235, 235, 235);
    static constexpr COLORREF kLightGreen = RGB(100, 255, 200);

    CNEdit();
    ~CNEdit() override;

    // Attaches the field to its window: black on white, the window shows the stored text.
    // A multi-line field (a comment box) is checked the same way.
    void Attach(QLineEdit* edit);
    void Attach(QPlainTextEdit* edit);
    QLineEdit* GetWindow() const { return m_edit.data(); }
    QPlainTextEdit* GetMultiLineWindow() const { return m_multi.data(); }
    QWidget* GetWidget() const;
    bool HasWindow() const { return GetWidget() != nullptr; }

    void Apply(const FieldRule& rule);
    // The field's type, limits and tooltip are those `rule` gives, its window showing them.
    bool HoldsRule(const FieldRule& rule) const;
    void SetIntType(int min, int max, bool allowEmpty);
    void SetDoubleType(double min, double max, bool allowEmpty);
    void SetStringType(unsigned minLength, unsigned maxLength, bool allowEmpty);
    void SetDateType(bool allowEmpty);
    FieldType GetType() const;
    // A real field whose file holds `decimals` decimals (-1: the text as typed). On leaving the
    // field a valid value is shown as the file will hold it, so the page never shows a value
    // that a save would change. A field of no type takes it too: its text, when a number.
    void SetFileDecimals(int decimals) { m_nFileDecimals = decimals; }
    // The valid value shown as its file writes it; nothing for a field its file holds as typed.
    void ShowFileValue();
    // A stored real put in as its file writes it (the file decimals; its short text without
    // them). The field keeps the value itself: while it shows that text, GetDouble gives the
    // value unrounded, so showing a value and storing the field back never changes it; a change
    // to another text lets it go.
    void ShowReal(double value);
    // The field shows the real ShowReal put in.
    bool ShowsStoredReal() const;

    void SetText(const char* text);
    void SetStdText(std::string text) { SetText(text.c_str()); }
    void SetLong(const long& value);
    CString GetText() const { return m_strText; }
    std::string GetStdText() const { return m_strText.str(); }
    int GetInt() const;
    double GetDouble() const;

    bool IsValid() const { return m_bValid; }
    // The window shows characters the code page has no byte for: the field holds its last
    // storable text, which the window no longer shows.
    bool ShowsUnstorableText() const;
    // Whether the field would take `text` (trimmed) as valid were it set now: its type and limits.
    // The field itself is left as it is. A field of no type says no.
    bool Accepts(const CString& text) const;
    void SetValid(bool valid);
    void SetValidFlag(bool valid) { m_bValid = valid; }
    void Revalidate();

    void ShowValidColors() { SetColors(kBlack, kLightGrey); }
    void ShowInvalidColors() { SetColors(kRed, kYellow); }
    void ShowNormalColors() { SetColors(kBlack, kWhite); }
    void ShowAltColors() { SetColors(kRed, kLightGreen); }
    void SetColors(COLORREF text, COLORREF back);

    // The change check, run on every change of the window text (typed or set).
    void OnChange();
    // Reads a date text; on success rewrites it in the field's display form. A text of 6 or 8
    // characters that does not read as a date is read again as MM-DD-YY or MM-DD-YYYY and left
    // as typed.
    bool ParseDate(CString& text) const;

signals:
    // After the check of a change; the page's own change handling hangs here or on the window.
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetTypeFlags(FieldType type, bool allowEmpty);
    // The check of a change, on the field's own text.
    void Validate();
    // Whether `text` passes the field's type and limits; a date is rewritten in its display form.
    bool Judge(CString& text) const;
    // Judge of a number or text field, which leaves the text as it is.
    bool JudgeValue(std::string_view text) const;
    void AttachWidget(QWidget* widget);
    QString WindowText() const;
    void SetWindowText(const CString& text);
    void ApplyTextLimit();
    int TextLimit() const;
    void OnMultiLineChange();
    void Redraw();

    bool m_bIsReal = false;
    bool m_bIsInt = false;
    bool m_bIsString = false;
    bool m_bIsDate = false;
    bool m_bAllowEmpty = false;
    bool m_bValid = true;
    int m_nMax = 0;
    int m_nMin = 0;
    double m_dMax = 0.0;
    double m_dMin = 0.0;
    unsigned m_nMaxLength = 0;
    unsigned m_nMinLength = 0;
    int m_nFileDecimals = -1;
    bool m_bShowsReal = false; // m_dShownReal stands behind the text m_strShownReal
    double m_dShownReal = 0.0;
    CString m_strShownReal;
    CString m_strText;
    COLORREF m_crText = kBlack;
    COLORREF m_crBack = kWhite;
    COLORREF m_crInvalidBack = kYellow;
    COLORREF m_crValidBack = kWhite;
    QString m_tooltip;
    std::string m_ruleTooltip; // the rule's text m_tooltip was made from

    QPointer<QLineEdit> m_edit;
    QPointer<QPlainTextEdit> m_multi;
    QString m_multiText; // a multi-line window's text after the last accepted change
    QObject* m_watched = nullptr;
    QValidator* m_limit = nullptr; // owned by the window
    bool m_attaching = false;
};

// Attaches the field to the dialog's line edit with that id (once; later calls do nothing). A
// multi-line window is attached with CNEdit::Attach by the page that wants it checked so.
void DDX_Control(CDataExchange* pDX, int id, CNEdit& edit);
// Exchanges a real through its attached field: shown as its file writes it (CNEdit::ShowReal),
// taken back unchanged while the field still shows it, else read and checked as DDX_Text reads
// a real.
void DDX_Real(CDataExchange* pDX, int id, CNEdit& field, double& value);

// Checks a field's text against a list of allowed values.
class CCodeListCheck {
public:
    // Leaves `flag` alone when there is no field or its trimmed text is empty; otherwise false
    // for a missing or empty list, else whether the text equals one of the trimmed entries.
    static void IsEditTextInList(const CStringArray* list, const CNEdit* field, bool* flag);
};

// Enables or disables one control of a window, as a temporary: EnableDlgItem(this, id, on);
// (inside a dialog class write ::EnableDlgItem, the dialog's own member of that name hides it).
class EnableDlgItem {
public:
    EnableDlgItem(CDlgControls* window, int id, bool& enable);
};
