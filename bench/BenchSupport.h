#pragma once

#include "platform/Messages.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

// Swallows the messages a benchmarked operation shows, so that no box or output disturbs the timing.
class SilentMessages : public MessageSink
{
public:
    void show(const QString &) override {}
    bool confirm(const QString &) override { return false; }
};

// The time `work` takes, in nanoseconds.
template <typename F> double timed(F &&work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed());
}

// The number of rounds given as argument `at`, else `fallback`; never fewer than seven, so that a median says
// something on a shared machine.
inline int roundsArgument(int argc, char **argv, int at, int fallback)
{
    return std::max(7, argc > at ? std::atoi(argv[at]) : fallback);
}

// The figures of one comparison, gathered round by round. On a shared machine a single best or worst round
// says more about the neighbours than about the code, so medians are compared: the ratio is the median of
// the rounds' own ratios, each taken from two runs made one right after the other.
class Rounds
{
public:
    void add(double measured, double floor)
    {
        m_measured.push_back(measured);
        m_floor.push_back(floor);
        m_ratios.push_back(measured / floor);
    }
    double measured() const { return median(m_measured); }
    double floor() const { return median(m_floor); }
    double ratio() const { return median(m_ratios); }

    // Runs `rounds` rounds of both sides; which side goes first alternates, so that a machine that grows
    // busier or calmer weighs on both alike. Each side returns its time.
    template <typename M, typename F> static Rounds alternate(int rounds, M measure, F floor)
    {
        Rounds taken;
        for (int round = 0; round < rounds; ++round) {
            if (round % 2 == 0) {
                const double a = measure();
                taken.add(a, floor());
            } else {
                const double b = floor();
                taken.add(measure(), b);
            }
        }
        return taken;
    }

private:
    static double median(std::vector<double> values)
    {
        if (values.empty())
            return 0;
        std::sort(values.begin(), values.end());
        const size_t middle = values.size() / 2;
        return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    }

    std::vector<double> m_measured;
    std::vector<double> m_floor;
    std::vector<double> m_ratios;
};

// A time in nanoseconds as a short text with its unit ("182 ms", "4.31 ms", "0.120 ms", "35 us").
inline std::string timeText(double nanoseconds)
{
    char text[32];
    const double ms = nanoseconds / 1e6;
    if (ms >= 100)
        std::snprintf(text, sizeof text, "%.0f ms", ms);
    else if (ms >= 1)
        std::snprintf(text, sizeof text, "%.2f ms", ms);
    else if (ms >= 0.1)
        std::snprintf(text, sizeof text, "%.3f ms", ms);
    else
        std::snprintf(text, sizeof text, "%.1f us", nanoseconds / 1e3);
    return text;
}

// The line a script collects into the table of every benchmark:
// "BENCH <name>|<figure>|<floor>|<ratio>|<=<target>". True when the ratio as printed meets the target.
inline bool benchLine(const std::string &name, const std::string &figure, const std::string &floor, double ratio,
                      double target)
{
    std::printf("BENCH %s|%s|%s|%.2f|<=%.2f\n", name.c_str(), figure.c_str(), floor.c_str(), ratio, target);
    return std::round(ratio * 100) <= std::round(target * 100);
}

// The same for a time measured against a time.
inline bool benchLine(const std::string &name, const Rounds &rounds, double target)
{
    return benchLine(name, timeText(rounds.measured()), timeText(rounds.floor()), rounds.ratio(), target);
}
