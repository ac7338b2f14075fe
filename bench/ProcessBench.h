// The converter as users run it: a new tabrino-convert process for every merge and every
// form position, timed against dd conv=fsync, cp and an awk splice of the same page.
#pragma once

#include <QList>
#include <QString>
#include <vector>

struct ProcessBenchOptions
{
    QString convert; // the tabrino-convert binary
    QString dir;     // work folder for the pages
    QList<int> megabytes;
    int runs = 5;
};

// Prints, for each page size, the median and spread of every tool, the ratio of the
// converter to dd conv=fsync with its spread, and the peak memory of each process.
// Throws std::runtime_error when a run fails: its figures would mean nothing. True when
// every target held: at most 1.5x dd from 100 MB up, and under 64 MiB at 500 MB.
bool RunProcessBench(const ProcessBenchOptions &options);

// The middle one of `values`, or the mean of the middle two for an even count.
double Median(std::vector<double> values);
