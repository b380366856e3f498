#pragma once
// Every message box of the program goes through one handler. The program installs a handler
// that shows a QMessageBox; tests install one that keeps what was asked and answers from a
// script, so every reader and writer is testable without a window.

#include "platform/CString.h"

#include <functional>
#include <set>
#include <string>
#include <utility>

using UINT = unsigned int;
using BOOL = int;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct HWND__;
using HWND = HWND__*;

// Buttons.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
// Icons.
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONERROR;
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_ICONMASK = 0xF0;
// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The application title: caption of every box shown through AfxMessageBox.
extern const char* const kAppTitle; // "Vehicle Impact Data Morvel"

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);

namespace platform {

struct MessageRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = MB_OK;

    UINT buttons() const { return type & MB_TYPEMASK; }
    UINT icon() const { return type & MB_ICONMASK; }
};

using MessageHandler = std::function<int(const MessageRequest&)>;

// How many boxes have been asked for since the program started (a box held back by a message cap
// included: the cap's last box tells it; a repeat an action drops too: the user read it already;
// none asked under QuietBoxes), so that a command can see whether it told the user anything.
unsigned long MessagesAsked();

// One action of the user as its boxes see it; the outermost platform::CodeDbCommandScope (a menu
// command, a click, a page change, a record move) makes one. A plain OK box whose caption and text
// (letter case aside) were shown already within the action is not shown again: a bad date loaded
// again as the pages are shown once more would say the same thing two or three times for one
// click. A question is always asked. A dropped repeat is still counted by
// MessagesAsked (the user was told), but a message cap does not count it again.
//
// What the action still has to tell (its failed code tables) follows the text of its next plain OK
// box after a blank line: a command that refuses with a box of its own tells everything in that box.
// What no box took is told in a box of its own before a dialog waits for the user (TellUntold), and
// when the action ends.
class ActionBoxes {
public:
    // `untold` hands over the text the action still has to tell ("" for nothing) and forgets it.
    explicit ActionBoxes(std::function<std::string()> untold);
    // Tells what is still untold.
    ~ActionBoxes();
    ActionBoxes(const ActionBoxes&) = delete;
    ActionBoxes& operator=(const ActionBoxes&) = delete;

    // The action under way, or none.
    static ActionBoxes* Current();
    // What the action has met so far and told in no box: in a box of its own, now.
    void TellUntold();

    // A dialog about to wait for the user: what the action has still to tell is told first (the
    // failed table of a list the dialog filled as it opened), not after the dialog has closed.
    // While the dialog waits, each thing the user does there is answered on its own: a box shown
    // then is never dropped as a repeat (an OK refused twice for the same reason says why twice),
    // and does not make a later box a repeat.
    class Waiting {
    public:
        Waiting();
        ~Waiting();
        Waiting(const Waiting&) = delete;
        Waiting& operator=(const Waiting&) = delete;

    private:
        ActionBoxes* m_action;
    };

    // Whether a dialog of the action waits for the user.
    bool IsWaiting() const { return m_waiting > 0; }

    // For ShowMessage: whether a box repeats a plain OK box shown already in the action (a box a
    // message cap held back was not shown), a box being shown, and the untold text to follow it.
    bool Repeats(const MessageRequest& request) const;
    void Shown(const MessageRequest& request);
    std::string TakeUntold() { return m_untold ? m_untold() : std::string(); }
    // What makes two boxes the same: caption, and text in capitals.
    static std::pair<std::string, std::string> Key(const MessageRequest& request);

private:
    std::function<std::string()> m_untold;
    std::set<std::pair<std::string, std::string>> m_shown; // caption, text in capitals
    int m_waiting = 0;
    ActionBoxes* m_outer;
};

// While one lives, a box is not shown at all, nor counted by MessagesAsked, nor seen by an action
// or a message cap: a check that only wants to know whether a reading would complain runs under
// it. Asked() is how many boxes were kept back.
class QuietBoxes {
public:
    QuietBoxes();
    ~QuietBoxes();
    QuietBoxes(const QuietBoxes&) = delete;
    QuietBoxes& operator=(const QuietBoxes&) = delete;

    int Asked() const { return m_asked; }

private:
    friend int ShowMessage(const MessageRequest& request);
    int m_asked = 0;
    QuietBoxes* m_outer;
};

// Installs the handler and returns the previous one. With no handler installed, a box answers
// as if its first button was pressed (IDOK, IDYES, IDABORT or IDRETRY).
MessageHandler SetMessageHandler(MessageHandler handler);
int ShowMessage(const MessageRequest& request);
int DefaultAnswer(UINT type);

// While a file is read, its problems are shown in at most `limit` boxes; the boxes past them are
// counted instead, and one box at the end says how many more problems were found. A damaged file
// of hundreds of bad lines then costs the user a few boxes, not hundreds. Only plain OK boxes
// count: a question is always asked. CStdioFile opens one for every file it reads, so every
// reader of every kind has it.
class MessageCap {
public:
    explicit MessageCap(std::string fileName, int limit = 10);
    ~MessageCap();
    MessageCap(const MessageCap&) = delete;
    MessageCap& operator=(const MessageCap&) = delete;

    // Counts a box; false when it is not to be shown. `dropRepeats` (within an action): a box the
    // cap held back already is not counted again.
    bool Admit(const MessageRequest& request, bool dropRepeats = false);
    int Hidden() const { return m_hidden; }

private:
    std::string m_fileName;
    int m_limit;
    int m_shown = 0;
    int m_hidden = 0;
    std::set<std::pair<std::string, std::string>> m_held;
    MessageCap* m_outer;
};

} // namespace platform
