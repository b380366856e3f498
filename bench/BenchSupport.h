#pragma once
// Shared by the widget benchmarks: the sample code tables and a main under the offscreen
// platform.

#include "platform/CodeDb.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace benchsupport {

// The code tables of MORVEL_CODE_DB, else ncodes.mdb beside the build's bench folder.
inline bool OpenCodeDb()
{
    QString path = QString::fromLocal8Bit(qgetenv("MORVEL_CODE_DB"));
    if (path.isEmpty())
        path = QCoreApplication::applicationDirPath() + "/../ncodes.mdb";
    g_pCodeDbConnection = std::make_shared<CodeDbConnection>();
    g_bCodeDbOpen = g_pCodeDbConnection->Open(path.toLocal8Bit().constData());
    return g_bCodeDbOpen;
}

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
