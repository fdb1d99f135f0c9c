#pragma once

#include "InterleavedRuns.h"

#include <QString>

#include <functional>

namespace orv::bench {

// One operation of the program timed against its floor, the least the machine must do for the
// same result: the two run in turn after a warm-up until their ratio is settled, and each
// side counts with the lower quartile of its times.
class FloorComparison
{
public:
    using Run = InterleavedRuns::Run;
    using Plan = InterleavedRuns::Plan;

    explicit FloorComparison(const QString& what) : m_what(what) {}

    // False when a run failed.
    bool measure(const Run& program, const Run& floor, const Plan& plan = Plan());
    // The figures of a program run and its floor measured among other runs.
    void take(const InterleavedRuns& runs, int program, int floor);

    double programMs() const { return m_programMs; }
    double floorMs() const { return m_floorMs; }
    double ratio() const { return m_floorMs > 0 ? m_programMs / m_floorMs : 0; }

    // "what: program 45.6 ms, floor 37.1 ms, ratio 1.23 (1.20 to 1.26, 40 rounds)", the ratio's
    // 95 % interval in brackets
    void print() const;
    // The closing line of a benchmark: "ratio: 1.23 (program 45.6 ms, floor 37.1 ms)".
    void printHeadline() const;

    // Times work; negative when it returned false.
    static double timed(const std::function<bool()>& work);

private:
    QString m_what;
    double m_programMs = 0;
    double m_floorMs = 0;
    InterleavedRuns::Interval m_interval;
    int m_rounds = 0;
};

// The program folder of the build: bin beside the benchmark's own folder, else the working
// folder when it holds the program.
QString programFolder();

} // namespace orv::bench
