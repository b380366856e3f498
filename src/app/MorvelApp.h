#pragma once
// The application object: start-up checks, the one code-table connection, the chooser's modal
// run, and the About command.

#include "platform/CString.h"
#include "platform/Messages.h"

class CMorvelV5App {
public:
    // Always FALSE: on a failed start and after the chooser has closed.
    BOOL InitInstance();
    // Closes the connection if it is open. The process's exit status: 0 after the chooser ran,
    // 1 after a start-up that ended with a message, so a script or launcher can tell.
    int ExitInstance();
    // FALSE after the failure has been reported; start-up must end.
    bool OpenCodeDatabase(CString path);
    static void OnAppAbout();

    // The full path of "ncodes.mdb" in the current working directory, or empty.
    static CString FindCodeDatabase();

private:
    bool m_bStartFailed = false;
};

int RunMorvel(int argc, char** argv);
