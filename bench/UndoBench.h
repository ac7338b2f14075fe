// The memory an undo history costs: random commands on a large form, each kept as a step,
// measured in a new process against the same commands with no step kept.
#pragma once

#include <QString>

struct UndoBenchOptions
{
    QString self; // this benchmark's binary, started again for each measurement
    int items = 10000;
    int steps = 10000;
    int runs = 5;
};

// Prints the figures; true when the history stays within its target (8 MiB for 10,000
// steps). Throws std::runtime_error when a run fails.
bool RunUndoBench(const UndoBenchOptions &options);

// The measuring process: builds the form, runs the commands and prints one line of
// figures on stdout. `keep` keeps the steps; without it they are dropped at once.
int UndoBenchChild(int items, int steps, bool keep);
