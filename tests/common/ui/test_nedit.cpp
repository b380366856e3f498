#include "common/ui/NEdit.h"
#include "WidgetColors.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

struct Field {
    std::unique_ptr<QLineEdit> edit = std::make_unique<QLineEdit>();
    CNEdit field;
    explicit Field(const FieldRule& rule)
    {
        field.Apply(rule);
        field.Attach(edit.get());
    }
    // Replaces the text by typing it; an empty text is typed as a character and its deletion.
    void Type(const char* text)
    {
        edit->clear();
        QTest::keyClicks(edit.get(), QString::fromLatin1(*text ? text : "x"));
        if (!*text)
            QTest::keyClick(edit.get(), Qt::Key_Backspace);
    }
    COLORREF Back() const { return WidgetBackColor(edit.get()); }
    COLORREF Text() const { return WidgetTextColor(edit.get()); }
};

struct Typed {
    const char* text;
    bool valid;
};

void ExpectTyped(const FieldRule& rule, std::initializer_list<Typed> cases)
{
    Field f(rule);
    for (const Typed& c : cases) {
        f.Type(c.text);
        EXPECT_EQ(f.field.IsValid(), c.valid) << "'" << c.text << "'";
        EXPECT_EQ(f.Back(), c.valid ? CNEdit::kWhite : CNEdit::kYellow) << "'" << c.text << "'";
        EXPECT_EQ(f.Text(), CNEdit::kBlack);
        // The stored-record checks judge a text without typing it: the same verdict, blanks,
        // tabs and line ends around it trimmed.
        EXPECT_EQ(f.field.Accepts(c.text), c.valid) << "'" << c.text << "'";
        EXPECT_EQ(f.field.Accepts(CString(" \t") + c.text + "\r\n"), c.valid) << "'" << c.text << "'";
    }
}

} // namespace

TEST(NEditTest, IntegerFieldsWhileTyping)
{
    ExpectTyped(FieldRule::Int(0, 9999, true),
                {{"", true}, {"0", true}, {"9999", true}, {"10000", false}, {"-", true}, {"-1", false},
                 {"1a", false}, {" 12 ", true}, {"+5", false}, {"1.0", false}, {"1 2", false}});
    ExpectTyped(FieldRule::Int(-10, 10, false), {{"", false}, {"-10", true}, {"-11", false}, {"5", true}});

    Field f(FieldRule::Int(0, 9999, true));
    f.Type(" 12 ");
    EXPECT_EQ(f.field.GetText(), "12");
    EXPECT_EQ(f.field.GetInt(), 12);
}

TEST(NEditTest, RealFieldsWhileTyping)
{
    ExpectTyped(FieldRule::Real(-200.0, 200.0, false),
                {{"200", true}, {"-200.0", true}, {"200.01", false}, {"1e2", false}, {"1E+2", true}, {".5", true},
                 {"-.5", true}, {"", false}, {"-", false}, {".", false}, {"+1", false}, {"1.2.3", false}});
    ExpectTyped(FieldRule::Real(0.0, 1.0, true), {{"", true}, {"2", false}});
}

TEST(NEditTest, TextFieldsAndTheirTypingLimit)
{
    Field f(FieldRule::Text(0, 70, true));
    f.Type(std::string(75, 'x').c_str());
    EXPECT_EQ(f.edit->text().size(), 70);
    EXPECT_EQ(f.field.GetText().GetLength(), 70);
    EXPECT_TRUE(f.field.IsValid());

    ExpectTyped(FieldRule::Text(0, 70, true), {{"", true}, {"abc", true}});
    ExpectTyped(FieldRule::Text(0, 70, false), {{"", false}, {"abc", true}});
    ExpectTyped(FieldRule::Text(2, 5, true), {{"a", false}, {"ab", true}, {"abcde", true}});

    // A longer value put in by the program is kept whole and can still be shortened.
    Field g(FieldRule::Text(0, 5, true));
    g.field.SetText("0123456789");
    EXPECT_EQ(g.edit->text(), "0123456789");
    g.edit->setFocus();
    g.edit->end(false);
    QTest::keyClick(g.edit.get(), Qt::Key_Backspace);
    EXPECT_EQ(g.edit->text(), "012345678");
    QTest::keyClicks(g.edit.get(), "z");
    EXPECT_EQ(g.edit->text(), "012345678");
}

TEST(NEditTest, DateFields)
{
    ExpectTyped(FieldRule::Date(false), {{"", true}, {"01/05/2001", true}, {"13/45/2001", false}, {"2/30/2004", false},
                                         {"Jan 5, 2001", true}, {"05-JAN-2001", true}, {"hello", false}});

    Field f(FieldRule::Date(false));
    f.Type("01/05/2001");
    EXPECT_EQ(f.field.GetText(), "JAN 05, 2001");
    EXPECT_EQ(f.edit->text(), "01/05/2001");

    struct Case {
        unsigned length;
        const char* typed;
        const char* stored; // nullptr: invalid
    };
    const Case cases[] = {
        {6, "010501", "010501"},     {6, "01/05/2001", "010501"},     {6, "01-05-01", "010501"},
        {8, "01052001", "01052001"}, {8, "01/05/2001", "01052001"},   {6, "133201", nullptr},
        {8, "02302004", nullptr},    {0, "010501", "010501"},          {0, "Feb 29, 2004", "FEB 29, 2004"},
    };
    for (const Case& c : cases) {
        Field g(FieldRule::Date(true, c.length));
        g.Type(c.typed);
        EXPECT_EQ(g.field.IsValid(), c.stored != nullptr) << c.length << " " << c.typed;
        if (c.stored) {
            EXPECT_EQ(g.field.GetText(), c.stored) << c.length << " " << c.typed;
        }
    }
}

TEST(NEditTest, MarkedColoursAndRevalidate)
{
    Field f(FieldRule::Int(0, 100, false));
    f.field.SetValid(false);
    EXPECT_EQ(f.Text(), CNEdit::kRed);
    EXPECT_EQ(f.Back(), CNEdit::kYellow);
    EXPECT_FALSE(f.field.IsValid());

    f.Type("50");
    EXPECT_EQ(f.Text(), CNEdit::kBlack);
    EXPECT_EQ(f.Back(), CNEdit::kWhite);
    f.field.Revalidate();
    EXPECT_EQ(f.Back(), CNEdit::kLightGrey);
    EXPECT_EQ(f.Text(), CNEdit::kBlack);

    f.Type("500");
    f.field.Revalidate();
    EXPECT_EQ(f.Text(), CNEdit::kRed);
    EXPECT_EQ(f.Back(), CNEdit::kYellow);

    f.field.ShowAltColors();
    EXPECT_EQ(f.Text(), CNEdit::kRed);
    EXPECT_EQ(f.Back(), RGB(100, 255, 200));
    f.field.ShowNormalColors();
    EXPECT_EQ(f.Back(), CNEdit::kWhite);

    // SetValidFlag stores the flag only.
    f.field.SetValidFlag(false);
    EXPECT_EQ(f.Back(), CNEdit::kWhite);
    EXPECT_FALSE(f.field.IsValid());
}

TEST(NEditTest, SettersAndTheWindow)
{
    CNEdit field;
    field.SetIntType(0, 10, false);
    field.SetLong(7);
    EXPECT_EQ(field.GetText(), "7");
    field.SetText("  99  "); // no window: stored only, unchecked
    EXPECT_EQ(field.GetText(), "99");
    EXPECT_TRUE(field.IsValid());

    QLineEdit edit;
    field.Attach(&edit);
    EXPECT_EQ(edit.text(), "99");
    EXPECT_TRUE(field.IsValid()); // normal colours until a change
    EXPECT_EQ(WidgetBackColor(&edit), CNEdit::kWhite);

    QSignalSpy spy(&edit, &QLineEdit::textChanged);
    field.SetText(" 99 ");
    EXPECT_EQ(spy.count(), 0);
    field.SetText(" 5 ");
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(edit.text(), "5");
    EXPECT_TRUE(field.IsValid());
    field.SetText("50");
    EXPECT_FALSE(field.IsValid());
    EXPECT_EQ(WidgetBackColor(&edit), CNEdit::kYellow);

    field.SetLong(7);
    EXPECT_EQ(edit.text(), "7");
    EXPECT_EQ(field.GetType(), FieldType::Int);
    field.SetDateType(true);
    EXPECT_EQ(field.GetType(), FieldType::Date);
}

// A stored real shows as its file writes it; the field gives the value itself back until another
// text is typed or set, so showing a value and storing the field again never changes it.
TEST(NEditTest, AStoredRealShowsAsItsFileWritesIt)
{
    struct Case {
        int decimals;
        double value;
        const char* shown;
    };
    const Case cases[] = {{1, 2.25, "2.3"}, {2, -1.255, "-1.26"}, {3, 0.00049, "0"}, {5, 1.234567891, "1.23457"},
                          {-1, 1.234567891, "1.23457"}, {2, 1e300 * 1e300, "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Field f(FieldRule::Real(-1e9, 1e9, true));
        f.field.SetFileDecimals(c.decimals);
        f.field.ShowReal(c.value);
        EXPECT_EQ(f.edit->text(), c.shown);
        EXPECT_TRUE(f.field.ShowsStoredReal());
        f.field.ShowFileValue(); // leaving the field: as shown
        EXPECT_EQ(f.edit->text(), c.shown);
        EXPECT_EQ(f.field.GetDouble(), std::isfinite(c.value) ? c.value : 0.0);
    }

    Field f(FieldRule::Real(0.0, 19.9, true));
    f.field.SetFileDecimals(1);
    f.field.ShowReal(2.25);
    f.Type("2.25");
    EXPECT_FALSE(f.field.ShowsStoredReal()) << "typed over";
    f.field.ShowFileValue();
    EXPECT_EQ(f.edit->text(), "2.3");
    EXPECT_EQ(f.field.GetDouble(), 2.3);
    f.field.ShowReal(5.75);
    f.field.SetText("7");
    EXPECT_EQ(f.field.GetDouble(), 7.0) << "set by the program";

    CNEdit unattached;
    unattached.SetFileDecimals(2);
    unattached.ShowReal(60.125);
    EXPECT_EQ(unattached.GetText(), "60.13");
    EXPECT_EQ(unattached.GetDouble(), 60.125);
    QLineEdit edit;
    unattached.Attach(&edit);
    EXPECT_EQ(edit.text(), "60.13");
    EXPECT_EQ(unattached.GetDouble(), 60.125) << "attaching shows the text it holds";
}

// A rule differing from the field's in its tooltip alone is a rule the field does not hold; the
// same rule again changes nothing.
TEST(NEditTest, ARuleIsHeldWithItsTooltip)
{
    QLineEdit edit;
    CNEdit field;
    field.Attach(&edit);
    const char* const tips[] = {nullptr, "Vehicle number", "Component number"};
    for (const char* tip : tips) {
        const FieldRule rule = FieldRule::Int(0, 3, true, tip);
        field.Apply(rule);
        EXPECT_TRUE(field.HoldsRule(rule));
        EXPECT_EQ(edit.toolTip(), QString::fromLatin1(tip ? tip : ""));
        for (const char* other : tips) {
            if (other != tip) {
                EXPECT_FALSE(field.HoldsRule(FieldRule::Int(0, 3, true, other))) << (other ? other : "none");
            }
        }
        // A copy of the text is the same tooltip.
        const std::string copy = tip ? tip : "";
        EXPECT_TRUE(field.HoldsRule(FieldRule::Int(0, 3, true, tip ? copy.c_str() : nullptr)));
    }
    // A tooltip the window was given past the field is put back.
    edit.setToolTip("changed");
    EXPECT_FALSE(field.HoldsRule(FieldRule::Int(0, 3, true, "Component number")));
    field.Apply(FieldRule::Int(0, 3, true, "Component number"));
    EXPECT_EQ(edit.toolTip(), "Component number");
}

TEST(NEditTest, FocusSelectsTheWholeText)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    CNEdit field;
    field.Apply(FieldRule::Text(0, 20, true, "Test title"));
    field.Attach(edit);
    field.SetText("Frontal barrier");
    EXPECT_EQ(edit->toolTip(), "Test title");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    edit->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(edit->selectedText(), "Frontal barrier");
}

TEST(NEditTest, CodeListCheck)
{
    CStringArray list;
    list.Add(" FRT ");
    list.Add("REAR");
    QLineEdit edit;
    CNEdit field;
    field.Attach(&edit);

    struct Case {
        const CStringArray* list;
        const char* text;
        bool before, after;
    };
    CStringArray empty;
    const Case cases[] = {
        {&list, "FRT", false, true}, {&list, " REAR ", false, true}, {&list, "frt", true, false},
        {&list, "", true, true},     {&list, "", false, false},      {&empty, "FRT", true, false},
        {nullptr, "FRT", true, false},
    };
    for (const Case& c : cases) {
        field.SetText(c.text);
        bool flag = c.before;
        CCodeListCheck::IsEditTextInList(c.list, &field, &flag);
        EXPECT_EQ(flag, c.after) << c.text;
    }
    bool untouched = true;
    CCodeListCheck::IsEditTextInList(&list, nullptr, &untouched);
    EXPECT_TRUE(untouched);
}

namespace {
const DlgTemplate kOneField {"Field", 100, 30, "DejaVu Sans", 8, false, {{200, DlgKind::Edit, "", 4, 4, 80, 12}}};

class FieldDialog : public CDialog {
public:
    FieldDialog()
        : CDialog(&kOneField)
    {
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 200, m_field); }
    CNEdit m_field;
};
} // namespace

TEST(NEditTest, AttachedByDataExchangeAndEnabledById)
{
    FieldDialog dlg;
    dlg.m_field.SetStringType(1, 4, false);
    dlg.m_field.SetText("abc");
    dlg.EnsureCreated();
    ASSERT_TRUE(dlg.m_field.HasWindow());
    EXPECT_EQ(dlg.m_field.GetWindow(), dlg.GetDlgItem(200));
    EXPECT_EQ(dlg.Item<QLineEdit>(200)->text(), "abc");
    dlg.UpdateData(FALSE); // a second exchange keeps the same window
    EXPECT_EQ(dlg.m_field.GetWindow(), dlg.GetDlgItem(200));

    bool off = false;
    EnableDlgItem(&dlg, 200, off);
    EXPECT_FALSE(dlg.GetDlgItem(200)->isEnabled());
    bool on = true;
    EnableDlgItem(&dlg, 200, on);
    EXPECT_TRUE(dlg.GetDlgItem(200)->isEnabled());
}

TEST(NEditTest, MultiLineFieldIsCheckedAndLimitedAlike)
{
    QPlainTextEdit edit;
    CNEdit field;
    field.SetText("kept");
    field.Attach(&edit);
    field.Apply(FieldRule::Text(2, 10, false, "Commentary"));
    EXPECT_EQ(edit.toPlainText(), "kept");
    EXPECT_EQ(edit.toolTip(), "Commentary");

    edit.clear();
    QTest::keyClicks(&edit, "x");
    EXPECT_FALSE(field.IsValid());
    EXPECT_EQ(WidgetBackColor(&edit), CNEdit::kYellow);
    QTest::keyClicks(&edit, "123456789abc");
    EXPECT_EQ(edit.toPlainText(), "x123456789");
    EXPECT_EQ(field.GetText(), "x123456789");
    EXPECT_TRUE(field.IsValid());
    EXPECT_EQ(WidgetBackColor(&edit), CNEdit::kWhite);

    field.SetText("a much longer text from a file");
    EXPECT_EQ(edit.toPlainText(), "a much longer text from a file");
    field.Revalidate();
    EXPECT_EQ(WidgetTextColor(&edit), CNEdit::kRed);
}

// A character the test file's code page has no byte for is refused where it is typed or pasted,
// in every kind of field, and never taken as "?"; the code page's own non-ASCII characters pass.
TEST(NEditTest, CharactersOutsideTheCodePageAreRefusedAsTypedOrPasted)
{
    struct Case {
        const char* text; // UTF-8
        bool taken;
    };
    const Case cases[] = {
        {"Caf\xC3\xA9", true},                      // é
        {"5 \xE2\x82\xAC", true},                   // €
        {"\xE2\x80\x93", true},                     // en dash
        {"\xC5\x81\xC3\xB3""d\xC5\xBA", false},     // Łódź
        {"\xCE\xA9", false},                        // Ω
        {"ok \xF0\x9F\x98\x80", false},             // an emoji (outside the basic plane)
    };
    const FieldRule rules[] = {FieldRule::Text(0, 20, true), FieldRule::Plain(), FieldRule::Date(true)};
    for (const FieldRule& rule : rules) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.text) + " type " + std::to_string(int(rule.type)));
            const QString text = QString::fromUtf8(c.text);
            Field typed(rule); // one key event carrying the text, as an input method gives it
            QTest::sendKeyEvent(QTest::Click, typed.edit.get(), Qt::Key_unknown, text, Qt::NoModifier);
            Field pasted(rule);
            pasted.edit->insert(text);
            for (Field* f : {&typed, &pasted}) {
                if (c.taken && rule.type != FieldType::Text)
                    continue; // a valid text is no date; the plain field keeps what it holds
                EXPECT_EQ(f->field.IsValid(), c.taken);
                if (!c.taken) {
                    EXPECT_EQ(f->Back(), CNEdit::kYellow);
                }
            }
        }
    }
    Field f(FieldRule::Text(0, 20, true));
    QTest::sendKeyEvent(QTest::Click, f.edit.get(), Qt::Key_unknown, QString::fromUtf8("\xE2\x82\xAC\xC3\xA9"),
                        Qt::NoModifier);
    EXPECT_EQ(f.field.GetText(), "\x80\xE9");
    // The refused text is not taken (a page leaving the field saves the last text it held);
    // taking the character out again makes the field valid.
    f.edit->setText(QString::fromUtf8("a\xCE\xA9"));
    EXPECT_FALSE(f.field.IsValid());
    EXPECT_EQ(f.field.GetText(), "\x80\xE9");
    QTest::keyClick(f.edit.get(), Qt::Key_Backspace);
    EXPECT_TRUE(f.field.IsValid());
    EXPECT_EQ(f.field.GetText(), "a");

    QPlainTextEdit multi;
    CNEdit comment;
    comment.Attach(&multi);
    comment.Apply(FieldRule::Text(0, 70, true));
    multi.insertPlainText(QString::fromUtf8("line \xCE\xA9"));
    EXPECT_FALSE(comment.IsValid());
}
