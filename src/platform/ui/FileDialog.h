#pragma once
// The open and save dialogs. Every request goes through one handler: the program's shows a
// QFileDialog, tests answer from a script and see what was asked. The handler answers the name
// as Qt gives it; CFileDialog turns it into the file system's bytes (platform/Path.h), so a
// folder named in accented letters is opened by the name it has.

#include "platform/CString.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <memory>
#include <vector>

class QFileDialog;

constexpr unsigned long OFN_HIDEREADONLY = 0x4;
constexpr unsigned long OFN_OVERWRITEPROMPT = 0x2;
constexpr unsigned long OFN_FILEMUSTEXIST = 0x1000;
constexpr unsigned long OFN_PATHMUSTEXIST = 0x800;

namespace platform {

struct FileDialogRequest {
    bool open = true;
    CString title;
    CString filter;     // "Name (*.ext)|*.ext|...||" as the program writes it
    CString defaultExt; // without the dot
    CString fileName;   // initial name
};

// Returns the chosen full path, or nothing when the user cancels.
using FileDialogHandler = std::function<std::optional<QString>(const FileDialogRequest&)>;
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// Splits "A (*.a)|*.a|B (*.b)|*.b||" into (name, pattern) pairs.
std::vector<std::pair<CString, CString>> ParseFilter(const CString& filter);

// The Qt dialog the program's handler shows for a request. A typed name of an existing file is
// taken whatever file type is chosen below it: files the chosen type leaves out show grayed.
std::unique_ptr<QFileDialog> MakeQtFileDialog(const FileDialogRequest& request, QWidget* parent);

} // namespace platform

class CFileDialog {
public:
    CFileDialog(bool openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
                unsigned long flags = 0, const char* filter = nullptr, QWidget* parent = nullptr);

    void SetTitle(const CString& title) { m_request.title = title; }
    long DoModal(); // IDOK or IDCANCEL

    CString GetPathName() const { return m_path; }
    CString GetFileExt() const;

private:
    CString GetFileName() const;

    platform::FileDialogRequest m_request;
    QWidget* m_parent;
    CString m_path;
};
