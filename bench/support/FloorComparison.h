#pragma once

#include <QString>

#include <functional>

namespace orv::bench {

// One operation of the program timed against its floor, the least the machine must do for the
// same result: the two run in turn after a warm-up, and each side's median counts.
class FloorComparison
{
public:
    // The milliseconds of one run, measured by the run itself around its timed part; negative
    // when the run failed.
    using Run = std::function<double()>;
    static constexpr int Repetitions = 5;

    explicit FloorComparison(const QString& what) : m_what(what) {}

    // False when a run failed.
    bool measure(const Run& program, const Run& floor, int repetitions = Repetitions);

    double programMs() const { return m_programMs; }
    double floorMs() const { return m_floorMs; }
    double ratio() const { return m_floorMs > 0 ? m_programMs / m_floorMs : 0; }

    // "what: program 45.6 ms, floor 37.1 ms, ratio 1.23"
    void print() const;
    // The closing line of a benchmark: "ratio: 1.23 (program 45.6 ms, floor 37.1 ms)".
    void printHeadline() const;

    // Times work; negative when it returned false.
    static double timed(const std::function<bool()>& work);

private:
    QString m_what;
    double m_programMs = 0;
    double m_floorMs = 0;
};

// The program folder of the build: bin beside the benchmark's own folder, else the working
// folder when it holds the program.
QString programFolder();

} // namespace orv::bench
