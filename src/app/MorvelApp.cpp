#include "app/MorvelApp.h"

#include "app/About.h"
#include "app/ChooseDB.h"
#include "platform/CodeDb.h"
#include "platform/ui/MessageBoxQt.h"
#include "platform/ui/Screen.h"

#include <QApplication>

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

CString CMorvelV5App::FindCodeDatabase()
{
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd))
        return CString();
    const std::string dir(cwd);
    auto isFile = [](const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    };
    const std::string exact = dir + "/ncodes.mdb";
    if (isFile(exact))
        return CString(exact);
    // A database copied from Windows may carry its name in another case; Windows finds it.
    std::string found;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d)) {
            if (::strcasecmp(e->d_name, "ncodes.mdb") == 0 && isFile(dir + "/" + e->d_name)) {
                found = dir + "/" + e->d_name;
                break;
            }
        }
        ::closedir(d);
    }
    return CString(found);
}

bool CMorvelV5App::OpenCodeDatabase(CString path)
{
    g_pCodeDbConnection = std::make_shared<CodeDbConnection>();
    if (g_pCodeDbConnection->Open(path)) {
        g_bCodeDbOpen = 1;
        return true;
    }
    const auto& errors = g_pCodeDbConnection->Errors();
    if (errors.empty()) {
        AfxMessageBox("Code MDB connetion fails!");
    } else {
        for (const CString& description : errors)
            AfxMessageBox(description);
    }
    return false;
}

BOOL CMorvelV5App::InitInstance()
{
    m_bStartFailed = true;
    const CString path = FindCodeDatabase();
    if (path.IsEmpty()) {
        MessageBoxA(nullptr, "ncodes.mdb was not found in the path.", "Error", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    const QSize desktop = platform::DesktopSize();
    if (desktop.width() < 1024 || desktop.height() < 768) {
        MessageBoxA(nullptr, "Your screen resolution must be at least 1024x768 to use Morvel v5.0", "Error",
                    MB_OK | MB_ICONERROR);
        return FALSE;
    }
    if (!OpenCodeDatabase(path))
        return FALSE;
    m_bStartFailed = false;
    CChooseDB chooser(nullptr);
    chooser.DoModal();
    return FALSE;
}

int CMorvelV5App::ExitInstance()
{
    if (g_bCodeDbOpen) {
        g_bCodeDbOpen = 0;
        if (g_pCodeDbConnection)
            g_pCodeDbConnection->Close();
    }
    g_pCodeDbConnection.reset();
    return m_bStartFailed ? 1 : 0;
}

void CMorvelV5App::OnAppAbout()
{
    CAbout about(nullptr);
    about.DoModal();
}

int RunMorvel(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Morvel");
    QApplication::setApplicationVersion(MORVEL_PRODUCT_VERSION);
    platform::InstallQtMessageHandler();
    CMorvelV5App theApp;
    theApp.InitInstance();
    return theApp.ExitInstance();
}
