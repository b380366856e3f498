#pragma once
// Every message box of the program goes through one handler. The program installs a handler
// that shows a QMessageBox; tests install one that keeps what was asked and answers from a
// script, so every reader and writer is testable without a window.

#include "platform/CString.h"

#include <functional>
#include <string>

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
// included: the cap's last box tells it), so that a command can see whether it told the user
// anything.
unsigned long MessagesAsked();

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

    // Counts a box; false when it is not to be shown.
    bool Admit(const MessageRequest& request);
    int Hidden() const { return m_hidden; }

private:
    std::string m_fileName;
    int m_limit;
    int m_shown = 0;
    int m_hidden = 0;
    MessageCap* m_outer;
};

} // namespace platform
