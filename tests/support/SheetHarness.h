#pragma once
// What the tests of the real sheets share: an owner that does nothing, a written file without
// its date line, the texts of the boxes shown, the tabs' captions and a menu item's graying.

#include "common/ui/TestSheet.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"

#include <QMenu>
#include <QStringList>
#include <QTabWidget>

#include <string>

namespace sheettest {

struct NoOwner : ISheetOwner {
    void OpenKind(TestKind) override {}
    void CloseAllSheets() override {}
    void ShowAbout() override {}
};

// The second line of a written file holds today's date: it is left out.
inline std::string WithoutDate(std::string bytes)
{
    const auto first = bytes.find('\n');
    const auto second = first == std::string::npos ? first : bytes.find('\n', first + 1);
    if (second != std::string::npos)
        bytes.erase(first + 1, second - first);
    return bytes;
}

// Every box's text, each followed by a line break.
inline std::string Texts(const platform::MessageRecorder& messages)
{
    std::string all;
    for (const std::string& text : messages.texts())
        all += text + "\n";
    return all;
}

// The tabs' captions in order.
inline QStringList TabTexts(CTestSheet& sheet)
{
    QStringList tabs;
    for (int i = 0; i < sheet.Tabs()->count(); ++i)
        tabs << sheet.Tabs()->tabText(i);
    return tabs;
}

// Whether a File menu item is enabled once the menu's graying has run.
inline bool MenuItemEnabled(CTestSheet& sheet, int id)
{
    QAction* action = sheet.MenuAction(id);
    auto* menu = qobject_cast<QMenu*>(action->parent());
    sheet.OnInitMenuPopup(menu, 0);
    return action->isEnabled();
}

} // namespace sheettest
