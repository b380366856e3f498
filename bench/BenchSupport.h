#pragma once
// Shared by the widget benchmarks: the sample code tables, a sheet owner and a main under the
// offscreen platform.

#include "common/ui/TestSheet.h"
#include "platform/CodeDb.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace benchsupport {

// The code tables of MORVEL_CODE_DB, else ncodes.mdb beside the build's bench folder.
inline QString SampleDbPath()
{
    QString path = QString::fromLocal8Bit(qgetenv("MORVEL_CODE_DB"));
    if (path.isEmpty())
        path = QCoreApplication::applicationDirPath() + "/../ncodes.mdb";
    return path;
}

inline bool OpenCodeDb()
{
    const QString path = SampleDbPath();
    g_pCodeDbConnection = std::make_shared<CodeDbConnection>();
    g_bCodeDbOpen = g_pCodeDbConnection->Open(path.toLocal8Bit().constData());
    return g_bCodeDbOpen;
}

// Opened once: every benchmark of the run shares the connection.
inline bool OpenCodeDbOnce() { return g_bCodeDbOpen || OpenCodeDb(); }

// The sheets' owner: the benchmarks hold their sheets themselves, so it opens and closes nothing.
struct NoOwner : ISheetOwner {
    void OpenKind(TestKind) override {}
    void CloseAllSheets() override {}
    void ShowAbout() override {}
};

inline int Main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace benchsupport
