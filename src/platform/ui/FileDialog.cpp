#include "platform/ui/FileDialog.h"

#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/Path.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QStringList>

#include <utility>

namespace platform {
namespace {

std::optional<QString> AskWithQt(const FileDialogRequest& request, QWidget* parent)
{
    const std::unique_ptr<QFileDialog> dialog = MakeQtFileDialog(request, parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    QString path = dialog->selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    if (!request.open && !request.defaultExt.IsEmpty() && QFileInfo(path).suffix().isEmpty())
        path += "." + ToQString(request.defaultExt);
    return path;
}

QWidget*& ParentForQt()
{
    static QWidget* parent = nullptr;
    return parent;
}

FileDialogHandler& CurrentHandler()
{
    static FileDialogHandler handler = [](const FileDialogRequest& r) { return AskWithQt(r, ParentForQt()); };
    return handler;
}

} // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

std::unique_ptr<QFileDialog> MakeQtFileDialog(const FileDialogRequest& request, QWidget* parent)
{
    QStringList filters;
    for (const auto& [name, pattern] : ParseFilter(request.filter)) {
        QString patterns = ToQString(pattern);
        patterns.replace(';', ' ');
        filters << ToQString(name).section('(', 0, 0).trimmed() + " (" + patterns + ")";
    }
    auto dialog = std::make_unique<QFileDialog>(parent, ToQString(request.title));
    dialog->setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!filters.isEmpty())
        dialog->setNameFilters(filters);
    if (!request.fileName.IsEmpty())
        dialog->selectFile(PathToQString(request.fileName));
    // Qt's own dialog hides what the chosen type leaves out, and then refuses a typed name of
    // such a file ("t.mv4" under "MV5 File") as if it did not exist.
    if (auto* model = dialog->findChild<QFileSystemModel*>())
        model->setNameFilterDisables(true);
    return dialog;
}

std::vector<std::pair<CString, CString>> ParseFilter(const CString& filter)
{
    std::vector<std::pair<CString, CString>> out;
    const std::string& s = filter.str();
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t bar = s.find('|', start);
        if (bar == std::string::npos) {
            if (start < s.size())
                parts.push_back(s.substr(start));
            break;
        }
        parts.push_back(s.substr(start, bar - start));
        start = bar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        out.emplace_back(CString(parts[i]), CString(parts[i + 1]));
    }
    return out;
}

} // namespace platform

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExt, const char* fileName, unsigned long /*flags*/,
                         const char* filter, QWidget* parent)
    : m_parent(parent)
{
    m_request.open = openFileDialog;
    m_request.defaultExt = defaultExt ? defaultExt : "";
    m_request.fileName = fileName ? fileName : "";
    m_request.filter = filter ? filter : "";
    m_request.title = openFileDialog ? "Open" : "Save As";
}

long CFileDialog::DoModal()
{
    const platform::ActionBoxes::Waiting waiting;
    platform::ParentForQt() = m_parent;
    const auto answer = platform::CurrentHandler()(m_request);
    platform::ParentForQt() = nullptr;
    if (!answer)
        return IDCANCEL;
    m_path = PathFromQString(*answer);
    return IDOK;
}

CString CFileDialog::GetFileName() const
{
    const int slash = m_path.ReverseFind('/');
    return m_path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}
