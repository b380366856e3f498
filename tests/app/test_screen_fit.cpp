// Every sheet, each of its pages and the dialogs on a 1024 x 768 screen: the window fits the
// screen, every page shows whole in it, every control shown lies inside its page or dialog, no
// label, button or field is too narrow for its text, and a dialog's title bar has room for its
// caption.

#include "codes/ui/Search.h"
#include "codes/ui/SearchReference.h"
#include "common/ui/CurveInfoError.h"
#include "component/ui/RolloverVehicle.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedDialogs.h"
#include "vehicle/VehData.h"
#include "vehicle/ui/MeasureDialogs.h"

#include "platform/Messages.h"
#include "platform/ui/Screen.h"

#include "../codes/CodesTestUtil.h"
#include "SheetHarness.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QCoreApplication>
#include <QStyle>
#include <QTabBar>
#include <QValidator>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const QSize kScreen(1024, 768);
// Room a window manager's title bar and borders take around a window.
const QSize kFrame(8, 32);

struct SmallScreen {
    SmallScreen() { platform::SetDesktopSize(kScreen); }
    ~SmallScreen() { platform::SetDesktopSize(std::nullopt); }
};

std::string Name(QWidget* w)
{
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        text = button->text();
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        text = group->title();
    text.replace('\n', "\\n");
    return std::string(w->metaObject()->className()) + " \"" + text.toStdString() + "\" at " +
           std::to_string(w->x()) + "," + std::to_string(w->y()) + " " + std::to_string(w->width()) + "x" +
           std::to_string(w->height());
}

int WidestLine(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// The longest text a typed field takes, up to `most` characters; 0 beyond that or without limit.
int TypingLimit(QLineEdit* edit, int most)
{
    const QValidator* validator = edit->validator();
    if (!validator || !edit->text().isEmpty())
        return 0;
    for (int n = 1; n <= most + 1; ++n) {
        QString text(n, QLatin1Char('A'));
        int pos = 0;
        if (validator->validate(text, pos) == QValidator::Invalid)
            return n - 1;
    }
    return 0;
}

// What is wrong with the shown controls of one page or dialog.
std::vector<std::string> ControlFaults(QWidget* host)
{
    std::vector<std::string> faults;
    const QRect inside(QPoint(0, 0), host->size().expandedTo(host->minimumSize()));
    for (QObject* child : host->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isHidden() || w->isWindow())
            continue;
        const QFontMetrics fm = w->fontMetrics();
        auto fault = [&](const std::string& what) { faults.push_back(Name(w) + ": " + what); };
        if (!inside.contains(w->geometry()))
            fault("outside its window");
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            const int room = label->contentsRect().width();
            if (label->wordWrap()) {
                for (const QString& word : label->text().split(QRegularExpression("\\s+"))) {
                    if (fm.horizontalAdvance(word) > room)
                        fault("a word is wider than the label");
                }
                if (label->heightForWidth(label->width()) > label->height())
                    fault("wrapped text taller than the label");
            } else if (WidestLine(fm, label->text()) > room) {
                fault("text wider than the label");
            }
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            if (w->sizeHint().width() > w->width())
                fault("text wider than the box");
            if (w->sizeHint().height() > w->height() + 2)
                fault("text taller than the box");
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
            if (WidestLine(fm, button->text()) + 2 * frame > w->width())
                fault("text wider than the button");
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (fm.horizontalAdvance(group->title()) + 4 > w->width())
                fault("title wider than the frame");
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            // A short code or number of capitals and digits fits without scrolling.
            if (const int limit = TypingLimit(edit, 20)) {
                static const QString sample = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
                const int needed = fm.horizontalAdvance(sample) * limit / int(sample.size());
                const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
                if (needed + 2 * frame + 4 > w->width())
                    fault("too narrow for " + std::to_string(limit) + " characters");
            }
        } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
            if (spin->sizeHint().width() > w->width())
                fault("too narrow for its value");
        }
    }
    return faults;
}

// The window fits the screen with its frame and lies on it.
std::vector<std::string> WindowFaults(QWidget* window, bool placed)
{
    std::vector<std::string> faults;
    const QSize size = window->size() + kFrame;
    if (size.width() > kScreen.width() || size.height() > kScreen.height())
        faults.push_back("window of " + std::to_string(window->width()) + "x" + std::to_string(window->height()) +
                         " is larger than the screen");
    if (placed && !QRect(QPoint(0, 0), kScreen).contains(QRect(window->pos(), size)))
        faults.push_back("window lies off the screen");
    return faults;
}

// With MORVEL_SCREEN_SHOTS naming a folder, each window checked is kept there as a picture.
void Keep(QWidget* window, const std::string& name)
{
    if (const char* dir = std::getenv("MORVEL_SCREEN_SHOTS")) {
        QString file = QString::fromStdString(name);
        file.replace(QRegularExpression("[^A-Za-z0-9]+"), "_");
        window->grab().save(QString::fromLocal8Bit(dir) + "/" + file + ".png");
    }
}

void Report(const std::string& where, const std::vector<std::string>& faults)
{
    for (const std::string& f : faults)
        ADD_FAILURE() << where << ": " << f;
}

} // namespace

class SheetScreenFitTest : public sheettest::KindTest {};

TEST_P(SheetScreenFitTest, EveryPageFitsASmallScreen)
{
    SmallScreen screen;
    sheettest::KindSheet s(kind);
    CTestSheet* sheet = s.sheet.get();
    Report(kind.name, WindowFaults(sheet, true));
    // Every tab can be reached: all of them shown, or the bar scrolls.
    if (sheet->Tabs()->tabBar()->sizeHint().width() > sheet->Tabs()->width()) {
        EXPECT_TRUE(sheet->Tabs()->usesScrollButtons()) << kind.name;
    }
    for (int i = 0; i < sheet->PageCount(); ++i) {
        CPropertyPage* page = sheet->Page(i);
        const std::string where = std::string(kind.name) + " page " + std::to_string(i) + " \"" +
                                  page->Caption().toStdString() + "\"";
        sheet->Tabs()->setCurrentIndex(i);
        page->EnsureCreated();
        QCoreApplication::processEvents();
        Keep(sheet, where);
        // The page shows whole in the window.
        const QRect shown(page->mapTo(sheet, QPoint(0, 0)), page->minimumSize());
        EXPECT_TRUE(sheet->rect().contains(shown)) << where;
        EXPECT_EQ(sheet->GetPageIndex(page), i);
        Report(where, ControlFaults(page));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SheetScreenFitTest, sheettest::EveryKind(), sheettest::KindCaseName);

TEST(ScreenFitTest, EveryDialogFitsASmallScreen)
{
    SmallScreen screen;
    codetest::Connection db;
    platform::MessageRecorder messages;
    platform::ScriptedDialogs script;
    auto check = [&](const char* name) {
        script.then([name](CDialog& dialog) {
            Report(name, WindowFaults(&dialog, false));
            // A title bar shows the whole caption.
            EXPECT_GE(dialog.width(), platform::CaptionWidth(dialog.windowTitle())) << name;
            Report(name, ControlFaults(&dialog));
            Keep(&dialog, name);
            dialog.EndDialog(IDCANCEL);
        });
    };

    CCompData comp;
    CRolloverVehicle rollover;
    rollover.m_pData = &comp;
    check("rollover");
    rollover.DoModal();

    CVehData veh;
    for (MeasureKind kind : {MeasureKind::PreTest, MeasureKind::PostTest, MeasureKind::Damage, MeasureKind::Clearance,
                             MeasureKind::PeakLoad, MeasureKind::InjuryMeasures}) {
        CMeasureDialog measures(kind, &veh, 1);
        check(MeasureTableOf(kind).caption);
        measures.DoModal();
    }

    CSearch search(nullptr, "DUMSIZ", "BIODB", "", FALSE);
    check("code search");
    search.DoModal();

    SearchReference reference;
    check("vehicle number selection");
    reference.DoModal();

    std::vector<CurveErrorRecord> errors(2);
    CCurveInfoError curves;
    curves.SetErrorList(&errors);
    check("curve errors");
    curves.DoModal();
    EXPECT_EQ(script.run(), 10);
}
