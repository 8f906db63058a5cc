// SPDX-License-Identifier: GPL-3.0-or-later
// Timing the program as a user sees it, side by side with a plain tool doing
// the same work (or with itself in another setting): each side's round has
// untimed preparation, the timed work, a check of the files it left and an
// untimed clean-up. A comparison warms both sides up once untimed (the page
// cache warm; each start of the program begins with its own caches empty),
// then runs interleaved rounds, and runs the whole series again when a side's
// times spread wider than twice their least. Every measure prints its goal
// and MET or MISSED.
#pragma once

#include "benchsupport.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

// Seven rounds, and a wide series runs again twice at most; a smoke run
// makes three rounds once.
inline int roundCount() { return smokeRun() ? 3 : 7; }
inline int seriesAtMost() { return smokeRun() ? 1 : 3; }

// The figures of several rounds.
struct Times {
    std::vector<double> values;
    double median() const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    double least() const { return *std::min_element(values.begin(), values.end()); }
    double most() const { return *std::max_element(values.begin(), values.end()); }
    bool spreadsWide() const { return most() > 2 * least(); }
};

// One side of a comparison. A failed check names what is wrong; the clean-up
// runs whatever happened, so that the next round starts afresh.
struct Side {
    std::string name;
    std::function<double()> timed;
    std::function<void()> before = [] {};
    std::function<std::string()> check = [] { return std::string(); };
    std::function<void()> after = [] {};

    double round()
    {
        before();
        double seconds = 0;
        std::string wrong;
        try {
            seconds = timed();
            wrong = check();
        } catch (...) {
            after();
            throw;
        }
        after();
        if (!wrong.empty()) throw std::runtime_error(name + ": " + wrong);
        return seconds;
    }
};

// Round by round, the program's time, the peer's and their quotient.
struct Series {
    Times program, peer, ratio;
};

inline Series runSeries(Side &program, Side &peer)
{
    program.round();   // the warm-ups, untimed
    peer.round();
    Series series;
    for (int round = 0; round < roundCount(); ++round) {
        double programSeconds, peerSeconds;
        if (round % 2 == 0) {
            programSeconds = program.round();
            peerSeconds = peer.round();
        } else {
            peerSeconds = peer.round();
            programSeconds = program.round();
        }
        series.program.values.push_back(programSeconds);
        series.peer.values.push_back(peerSeconds);
        series.ratio.values.push_back(programSeconds / peerSeconds);
    }
    return series;
}

inline std::string formatted(const char *format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

inline void printSide(const std::string &name, const Times &times)
{
    std::printf("  %.3f s  (%.3f–%.3f)  %s\n", times.median(), times.least(), times.most(), name.c_str());
}

// The last line of every measure.
inline bool printGoal(const std::string &goal, const std::string &measured, bool met)
{
    std::printf("  goal: %s   measured: %s   %s%s\n", goal.c_str(), measured.c_str(), met ? "MET" : "MISSED",
                smokeRun() ? " (smoke run: not the goal's measure)" : "");
    std::fflush(stdout);
    return met;
}

// Runs the series until it is steady, or seriesAtMost() times.
template <class Run, class Wide>
auto steadySeries(Run run, Wide wide)
{
    auto series = run();
    for (int again = 1; again < seriesAtMost() && wide(series); ++again) {
        std::printf("  a range wider than 2×: the series runs again\n");
        std::fflush(stdout);
        series = run();
    }
    if (wide(series)) std::printf(smokeRun() ? "  a range wider than 2×\n" : "  the range stays wider than 2×\n");
    return series;
}

// Times the program against its peer and prints both, the median of the
// round-by-round ratios and whether it is at most goalRatio. A side that
// fails or leaves wrong files misses the goal.
inline bool compareSideBySide(const std::string &title, Side program, Side peer, double goalRatio)
{
    std::printf("%s\n", title.c_str());
    std::fflush(stdout);
    const std::string goal = "≤ " + formatted("%.2f× ", goalRatio) + peer.name;
    try {
        const auto eitherWide = [](const Series &s) { return s.program.spreadsWide() || s.peer.spreadsWide(); };
        const Series series = steadySeries([&] { return runSeries(program, peer); }, eitherWide);
        printSide(program.name, series.program);
        printSide(peer.name, series.peer);
        const Times &ratio = series.ratio;
        return printGoal(goal, formatted("%.2f× ", ratio.median()) + formatted("(%.2f–", ratio.least()) +
                                   formatted("%.2f)", ratio.most()),
                         ratio.median() <= goalRatio);
    } catch (const std::exception &error) {
        return printGoal(goal, std::string("nothing (") + error.what() + ")", false);
    }
}

// The same for a goal in seconds, with the program alone.
inline bool measureAlone(const std::string &title, Side program, double goalSeconds)
{
    std::printf("%s\n", title.c_str());
    std::fflush(stdout);
    const std::string goal = "≤ " + formatted("%.3f s", goalSeconds);
    try {
        const Times times = steadySeries(
            [&] {
                program.round();   // the warm-up, untimed
                Times series;
                for (int round = 0; round < roundCount(); ++round) series.values.push_back(program.round());
                return series;
            },
            [](const Times &times) { return times.spreadsWide(); });
        printSide(program.name, times);
        return printGoal(goal, formatted("%.3f s ", times.median()) + formatted("(%.3f–", times.least()) +
                                   formatted("%.3f)", times.most()),
                         times.median() <= goalSeconds);
    } catch (const std::exception &error) {
        return printGoal(goal, std::string("nothing (") + error.what() + ")", false);
    }
}

}  // namespace bench
