#include "FloorComparison.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace orv::bench {

namespace {

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

} // namespace

bool FloorComparison::measure(const Run& program, const Run& floor, int repetitions)
{
    std::vector<double> programTimes;
    std::vector<double> floorTimes;
    // The first round warms caches and is not counted; the order alternates so that a drift
    // of the machine falls on both sides alike.
    for (int round = 0; round <= repetitions; ++round) {
        const bool programFirst = round % 2 == 0;
        const double first = programFirst ? program() : floor();
        const double second = programFirst ? floor() : program();
        if (first < 0 || second < 0) {
            std::fprintf(stderr, "%s: a run failed\n", qPrintable(m_what));
            return false;
        }
        if (round == 0)
            continue;
        programTimes.push_back(programFirst ? first : second);
        floorTimes.push_back(programFirst ? second : first);
    }
    m_programMs = median(programTimes);
    m_floorMs = median(floorTimes);
    return true;
}

void FloorComparison::print() const
{
    std::printf("%s: program %.1f ms, floor %.1f ms, ratio %.2f\n", qPrintable(m_what), m_programMs,
                m_floorMs, ratio());
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
