#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// A figure taken in turns with its baseline in the same run: each round measures both, the first
// of the two alternating from round to round, so that drift in the machine's load hits both alike.
namespace kavu::bench {

inline double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Turns {
    std::vector<double> subject;
    std::vector<double> baseline;
    std::vector<double> ratios;

    // Measures subject and baseline once each, subject first in every other round; each returns
    // its measure, negative when it failed. False when either failed, or the baseline measured
    // nothing.
    bool take(const std::function<double()>& subjectRun,
              const std::function<double()>& baselineRun) {
        const bool subjectFirst = subject.size() % 2 == 0;
        const double first = subjectFirst ? subjectRun() : baselineRun();
        const double second = subjectFirst ? baselineRun() : subjectRun();
        const double s = subjectFirst ? first : second;
        const double b = subjectFirst ? second : first;
        if (s < 0 || b <= 0) {
            return false;
        }
        add(s, b);
        return true;
    }

    void add(double s, double b) {
        subject.push_back(s);
        baseline.push_back(b);
        ratios.push_back(s / b);
    }

    double worst() const {
        return subject.empty() ? 0 : *std::max_element(subject.begin(), subject.end());
    }
};

// The heading of the lines printTurns() writes: what the figures are, and in what unit.
inline void printTurnsHeading(const char* what, const char* unit) {
    std::printf("%s; medians in %s, the ratio the median of each round's:\n", what, unit);
    std::printf("  %-58s %10s %10s %8s\n", "", "subject", "baseline", "ratio");
}

// "name  subject  baseline  ratio": the median of the subject's measures and of the baseline's,
// each times scale, and the median of each round's ratio.
inline void printTurns(const char* name, const Turns& turns, double scale = 1) {
    std::printf("  %-58s %10.3f %10.3f %7.3fx\n", name, median(turns.subject) * scale,
                median(turns.baseline) * scale, median(turns.ratios));
}

} // namespace kavu::bench
