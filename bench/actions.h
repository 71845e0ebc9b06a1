#pragma once

#include <string>
#include <vector>

// Per-action latency of the lesson window, in this process (offscreen): from the learner's
// event to the end of the repaint it causes.
namespace bench {

struct ActionFigures
{
    std::string name;
    std::vector<double> microseconds;    // one per repetition, wall clock
    std::vector<double> cpuMicroseconds; // the same, CPU time of this thread only
    int fewestPaints = 0;             // paint events in the emptiest repetition
};

// Needs a QApplication. Each action gets a few untimed warm-up repetitions first.
std::vector<ActionFigures> measureActions(int repetitions);

} // namespace bench
