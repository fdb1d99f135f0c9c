#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace orv::bench {

// Runs timed in rounds on a shared machine. A warm-up round is not counted; then every round
// runs each of them once, in an order that reverses from round to round, so that a drift of
// the machine falls on all of them alike. The rounds go on until the ratios asked for are
// settled, or until the time given is spent.
//
// A run counts with the lower quartile of its times. Other work on the machine only ever adds
// time to a run, and it comes and goes: the median moves as soon as half of the rounds are
// disturbed, the lower quartile only when three quarters are, and no single lucky run sets it
// as one sets the minimum.
class InterleavedRuns
{
public:
    // The milliseconds of one run, measured by the run itself around its timed part; negative
    // when the run failed.
    using Run = std::function<double()>;

    struct Plan
    {
        int leastRounds = 30;
        double seconds = 60;
        // A ratio is settled when its 95 % interval lies within this share of it either side.
        double settledWithin = 0.025;
    };

    struct Interval
    {
        double low = 0;
        double high = 0;
    };

    // The index of the run among those added.
    int add(const Run& run);
    // Asks for the ratio of one run's time to another's to be settled.
    void settle(int numerator, int denominator);

    // False when a run failed.
    bool measure(const Plan& plan);

    int rounds() const { return int(m_times.empty() ? 0 : m_times.front().size()); }
    // The lower quartile of the run's times, in milliseconds.
    double time(int run) const;
    double ratio(int numerator, int denominator) const;
    // The 95 % interval of that ratio, by resampling whole rounds, so that what two runs of a
    // round shared stays shared.
    Interval interval(int numerator, int denominator) const;

private:
    bool settled(double within) const;

    std::vector<Run> m_runs;
    std::vector<std::vector<double>> m_times; // per run, one time per counted round
    std::vector<std::pair<int, int>> m_settle;
};

} // namespace orv::bench
