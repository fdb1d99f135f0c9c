#include "InterleavedRuns.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace orv::bench {

namespace {

constexpr int Resamples = 1000;

double lowerQuartile(std::vector<double> times)
{
    if (times.empty())
        return 0;
    // Between the two times nearest a quarter of the way up, in proportion.
    const double position = (times.size() - 1) / 4.0;
    const auto below = times.begin() + std::ptrdiff_t(position);
    std::nth_element(times.begin(), below, times.end());
    if (below + 1 == times.end())
        return *below;
    const double above = *std::min_element(below + 1, times.end());
    return *below + (above - *below) * (position - std::floor(position));
}

double quotient(double numerator, double denominator)
{
    return denominator > 0 ? numerator / denominator : 0;
}

} // namespace

int InterleavedRuns::add(const Run& run)
{
    m_runs.push_back(run);
    m_times.emplace_back();
    return int(m_runs.size()) - 1;
}

void InterleavedRuns::settle(int numerator, int denominator)
{
    m_settle.emplace_back(numerator, denominator);
}

bool InterleavedRuns::measure(const Plan& plan)
{
    for (std::vector<double>& times : m_times)
        times.clear();
    QElapsedTimer clock;
    clock.start();
    int checkedAt = 0;
    for (int round = 0;; ++round) {
        std::vector<double> times(m_runs.size());
        for (size_t n = 0; n < m_runs.size(); ++n) {
            const size_t run = round % 2 == 0 ? n : m_runs.size() - 1 - n;
            times[run] = m_runs[run]();
            if (times[run] < 0)
                return false;
        }
        if (round == 0)
            continue;
        for (size_t run = 0; run < m_runs.size(); ++run)
            m_times[run].push_back(times[run]);
        if (clock.elapsed() >= plan.seconds * 1000)
            return true;
        // Checked after a growing number of rounds, so that many short rounds stay cheap.
        const int counted = rounds();
        if (counted >= plan.leastRounds && counted - checkedAt >= std::max(1, counted / 8)) {
            checkedAt = counted;
            if (settled(plan.settledWithin))
                return true;
        }
    }
}

double InterleavedRuns::time(int run) const
{
    return lowerQuartile(m_times.at(run));
}

double InterleavedRuns::ratio(int numerator, int denominator) const
{
    return quotient(time(numerator), time(denominator));
}

InterleavedRuns::Interval InterleavedRuns::interval(int numerator, int denominator) const
{
    const std::vector<double>& above = m_times.at(numerator);
    const std::vector<double>& below = m_times.at(denominator);
    const int count = rounds();
    if (count == 0)
        return {};
    // The same times give the same interval.
    QRandomGenerator random(20050817);
    std::vector<double> ratios;
    ratios.reserve(Resamples);
    std::vector<double> x(count);
    std::vector<double> y(count);
    for (int resample = 0; resample < Resamples; ++resample) {
        for (int i = 0; i < count; ++i) {
            const int pick = int(random.bounded(count));
            x[i] = above[pick];
            y[i] = below[pick];
        }
        ratios.push_back(quotient(lowerQuartile(x), lowerQuartile(y)));
    }
    std::sort(ratios.begin(), ratios.end());
    return {ratios[Resamples * 25 / 1000], ratios[Resamples * 975 / 1000 - 1]};
}

bool InterleavedRuns::settled(double within) const
{
    return std::all_of(m_settle.begin(), m_settle.end(), [&](const std::pair<int, int>& pair) {
        const double middle = ratio(pair.first, pair.second);
        const Interval range = interval(pair.first, pair.second);
        return range.low >= middle * (1 - within) && range.high <= middle * (1 + within);
    });
}

} // namespace orv::bench
