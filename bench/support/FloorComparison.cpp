#include "FloorComparison.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace orv::bench {

bool FloorComparison::measure(const Run& program, const Run& floor, const Plan& plan)
{
    InterleavedRuns runs;
    const int programRun = runs.add(program);
    const int floorRun = runs.add(floor);
    runs.settle(programRun, floorRun);
    if (!runs.measure(plan)) {
        std::fprintf(stderr, "%s: a run failed\n", qPrintable(m_what));
        return false;
    }
    take(runs, programRun, floorRun);
    return true;
}

void FloorComparison::take(const InterleavedRuns& runs, int program, int floor)
{
    m_programMs = runs.time(program);
    m_floorMs = runs.time(floor);
    m_interval = runs.interval(program, floor);
    m_rounds = runs.rounds();
}

void FloorComparison::print() const
{
    std::printf("%s: program %.1f ms, floor %.1f ms, ratio %.2f (%.2f to %.2f, %d rounds)\n",
                qPrintable(m_what), m_programMs, m_floorMs, ratio(), m_interval.low,
                m_interval.high, m_rounds);
    std::fflush(stdout);
}

void FloorComparison::printHeadline() const
{
    std::printf("ratio: %.2f (program %.1f ms, floor %.1f ms)\n", ratio(), m_programMs, m_floorMs);
    std::fflush(stdout);
}

double FloorComparison::timed(const std::function<bool()>& work)
{
    QElapsedTimer timer;
    timer.start();
    const bool ok = work();
    const double ms = timer.nsecsElapsed() / 1e6;
    return ok ? ms : -1;
}

QString programFolder()
{
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../bin"));
    if (QFileInfo::exists(beside + QStringLiteral("/Orv21.db")))
        return QDir::cleanPath(beside);
    return QDir::currentPath();
}

} // namespace orv::bench
