// Every page of every kind keeps each control where its users know it: kind, id, text, place and
// size in dialog units, start-up style, and the order the controls are made in (the tab order).
// Each page's controls are compared with its recorded layout in tests/data/layout/; run with
// MORVEL_WRITE_LAYOUTS=1 to record them again after a deliberate change.

#include "biomech/ui/BioInstPage.h"
#include "biomech/ui/BioPages.h"
#include "biomech/ui/BioRecordPages.h"
#include "common/ui/HsvdPage.h"
#include "component/ui/CompPages.h"
#include "crashavoid/ui/TcaPages.h"
#include "doubles/MessageRecorder.h"
#include "swg/ui/SWGInstPage.h"
#include "swg/ui/SWGTestPage.h"
#include "vehicle/ui/VehBarPage.h"
#include "vehicle/ui/VehInstPage.h"
#include "vehicle/ui/VehIntrPage.h"
#include "vehicle/ui/VehOccPage.h"
#include "vehicle/ui/VehRestPage.h"
#include "vehicle/ui/VehTestPage.h"
#include "vehicle/ui/VehVehPage.h"

#include "platform/Messages.h"

#include "TestUtil.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The dialog unit a pixel value was made from (the conversion only grows with its argument).
int Du(int px, int avg, int per)
{
    int du = px * per / avg;
    while (du * avg / per < px)
        ++du;
    return du;
}

QString WidgetText(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    return QString();
}

std::string Layout(CPropertyPage& page)
{
    page.EnsureCreated();
    std::map<QWidget*, int> ids;
    for (int id = 0; id < 10000; ++id) {
        if (QWidget* w = page.GetDlgItem(id))
            ids[w] = id;
    }
    const DialogUnits& units = page.Units();
    std::ostringstream out;
    for (QObject* child : page.children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w)
            continue;
        const QRect r = w->geometry();
        const auto id = ids.find(w);
        QString text = WidgetText(w);
        text.replace('\n', "\\n");
        out << (id == ids.end() ? -1 : id->second) << ' ' << w->metaObject()->className() << ' '
            << Du(r.x(), units.m_avgWidth, 4) << ' ' << Du(r.y(), units.m_height, 8) << ' '
            << Du(r.width(), units.m_avgWidth, 4) << ' ' << Du(r.height(), units.m_height, 8)
            << (w->isHidden() ? " hidden" : "") << (w->isEnabled() ? "" : " disabled");
        if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isReadOnly())
            out << " readonly";
        out << " \"" << text.toStdString() << "\"\n";
    }
    return out.str();
}

// A control as the layout shows it: its id (or its kind), text and place in dialog units.
struct Placed {
    std::string name;
    QRect du;
    bool box;
};

std::string Describe(const Placed& p)
{
    std::ostringstream out;
    out << p.name << " at " << p.du.x() << ',' << p.du.y() << ' ' << p.du.width() << 'x' << p.du.height();
    return out.str();
}

// What is wrong with where the page puts its controls: an id two controls share (the page would
// reach only one of them), a control reaching outside the page, and two controls over each
// other. A group box is drawn around its controls: a control wholly inside it is its content, one
// across its edge is an overlap. A label beside its field does not overlap it. Controls hidden
// when the page is made are left out: they are parked, or stand in another's place, to be shown
// only when that one is hidden (the curve-check buttons).
std::vector<std::string> PlacementFaults(CPropertyPage& page)
{
    std::vector<std::string> faults;
    const DlgTemplate* tmpl = page.Template();
    if (!tmpl)
        return faults;
    std::map<int, int> seen;
    for (const DlgItem& item : tmpl->items) {
        if (item.id >= 0 && ++seen[item.id] == 2)
            faults.push_back("id " + std::to_string(item.id) + " is given to more than one control");
    }
    page.EnsureCreated();
    std::map<QWidget*, int> ids;
    for (const auto& [id, count] : seen) {
        if (QWidget* w = page.GetDlgItem(id))
            ids[w] = id;
    }
    const DialogUnits& units = page.Units();
    std::vector<Placed> shown;
    for (QObject* child : page.children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isHidden())
            continue;
        const QRect r = w->geometry();
        const auto id = ids.find(w);
        QString text = WidgetText(w).replace('\n', ' ');
        const std::string name = (id == ids.end() ? std::string(w->metaObject()->className())
                                                  : "id " + std::to_string(id->second)) +
                                 " \"" + text.toStdString() + "\"";
        shown.push_back({name,
                         QRect(Du(r.x(), units.m_avgWidth, 4), Du(r.y(), units.m_height, 8),
                               Du(r.width(), units.m_avgWidth, 4), Du(r.height(), units.m_height, 8)),
                         qobject_cast<QGroupBox*>(w) != nullptr});
    }
    const QRect pageDu(0, 0, tmpl->cx, tmpl->cy);
    for (size_t i = 0; i < shown.size(); ++i) {
        const Placed& a = shown[i];
        if (tmpl->cx > 0 && tmpl->cy > 0 && !pageDu.contains(a.du))
            faults.push_back(Describe(a) + " leaves the page (" + std::to_string(tmpl->cx) + 'x' +
                             std::to_string(tmpl->cy) + ")");
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const Placed& b = shown[j];
            if (!a.du.intersects(b.du) || (a.box && a.du.contains(b.du)) || (b.box && b.du.contains(a.du)))
                continue;
            faults.push_back(Describe(a) + " overlaps " + Describe(b));
        }
    }
    return faults;
}

struct PageCase {
    const char* name;
    std::function<std::unique_ptr<CPropertyPage>()> make;
};

template <class P> PageCase Case(const char* name)
{
    return {name, [] { return std::unique_ptr<CPropertyPage>(std::make_unique<P>()); }};
}

} // namespace

TEST(PageLayoutTest, EveryControlStaysInItsPlace)
{
    platform::MessageRecorder messages;
    const PageCase pages[] = {
        Case<CVehTestPage>("VehTestPage"),       Case<CVehVehPage>("VehVehPage"),
        Case<CVehBarPage>("VehBarPage"),         Case<CVehOccPage>("VehOccPage"),
        Case<CVehRestPage>("VehRestPage"),       Case<CVehIntrPage>("VehIntrPage"),
        Case<CVehInstPage>("VehInstPage"),       Case<CBioMechTestPage>("BioMechTestPage"),
        Case<CBioDumPage>("BioDumPage"),         Case<CBioOccPage>("BioOccPage"),
        Case<CBioAnthPage>("BioAnthPage"),       Case<CBioRibPage>("BioRibPage"),
        Case<CBioInjPage>("BioInjPage"),         Case<CBioRestPage>("BioRestPage"),
        Case<CBioCBandPage>("BioCBandPage"),     Case<CBioGaugePage>("BioGaugePage"),
        Case<CBioInstPage>("BioInstPage"),       Case<CCompTestPage>("CompTestPage"),
        Case<CCompVehPage>("CompVehPage"),       Case<CCompCompPage>("CompCompPage"),
        Case<CCompConfPage>("CompConfPage"),     Case<CCompInstPage>("CompInstPage"),
        Case<CTcaTestPage>("TcaTestPage"),       Case<CTcaVehPage>("TcaVehPage"),
        Case<CTcaInstPage>("TcaInstPage"),       Case<CTcaLBeamPage>("TcaLBeamPage"),
        Case<CTcaAmberPage>("TcaAmberPage"),     Case<CTcaRolloverPage>("TcaRolloverPage"),
        Case<CSWGTestPage>("SWGTestPage"),       Case<CSWGInstPage>("SWGInstPage"),
        Case<CHsvdPage>("HsvdPage"),
    };
    const bool write = std::getenv("MORVEL_WRITE_LAYOUTS") != nullptr;
    for (const PageCase& c : pages) {
        const std::unique_ptr<CPropertyPage> page = c.make();
        const std::string layout = Layout(*page);
        for (const std::string& fault : PlacementFaults(*page))
            ADD_FAILURE() << c.name << ": " << fault;
        const std::string path = testutil::DataPath(std::string("layout/") + c.name + ".txt");
        if (write)
            testutil::WriteFile(path, layout);
        EXPECT_EQ(layout, testutil::ReadFile(path)) << c.name;
    }
}
