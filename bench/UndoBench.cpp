#include "UndoBench.h"

#include "BenchForm.h"
#include "GridChange.h"
#include "ProcessBench.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <stdexcept>
#include <vector>

namespace {

constexpr quint32 Highlight = 0x00FFFF;

// The resident memory of this process in KiB, after handing freed memory back.
qint64 residentKiB()
{
    ::malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// One command as the window runs it, the current cell's highlight taken off first and put
// on again afterwards: mostly edits, then insertions, deletions, moves by one and by
// dragging, and property changes.
void runCommand(ItemGrid &grid, WebFormInfo &info, QRandomGenerator &random, int n)
{
    const auto leave = [&] { grid.setCellColour(grid.currentRow(), grid.currentColumn(), 0); };
    const auto enter = [&] {
        grid.setCellColour(grid.currentRow(), grid.currentColumn(), Highlight);
    };
    const int row = grid.currentRow();
    const QByteArray text = "edited value " + QByteArray::number(n);
    leave();
    const int kind = int(random.bounded(100));
    if (kind < 45) {
        grid.setText(row, 1 + int(random.bounded(ItemColumnCount - 1)), text);
    } else if (kind < 60) {
        grid.addRow(row + 1, "Text Field");
        grid.setText(row + 1, ColName, "new" + QByteArray::number(n));
        grid.setText(row + 1, ColLabel, text);
        grid.setCurrentCell(row + 1, ColName);
    } else if (kind < 75) {
        if (grid.rows() > 2)
            grid.removeRow(row);
    } else if (kind < 85) {
        const int to = row > 1 && (kind & 1) ? row - 1 : qMin(row + 1, grid.rows() - 1);
        grid.moveRow(row, to);
        grid.setCurrentCell(to, grid.currentColumn());
    } else if (kind < 95) {
        const int to = 1 + int(random.bounded(grid.rows() - 1));
        grid.moveRow(row, to);
        grid.setCurrentCell(to, grid.currentColumn());
    } else {
        info.SubmitText = text;
    }
    enter();
}

struct ChildFigures
{
    double formMiB = 0;   // the form's own memory over the empty process
    double growthMiB = 0; // resident memory added by the commands (and steps, when kept)
    double heldMiB = 0;   // what the steps say they hold
    double usPerStep = 0;
};

ChildFigures runChild(const UndoBenchOptions &options, bool keep)
{
    QProcess child;
    child.start(options.self, {QStringLiteral("--undo-child"), keep ? "keep" : "drop",
                               QString::number(options.items), QString::number(options.steps)});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw std::runtime_error("tabrino-bench: the undo measuring process failed");
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 4)
        throw std::runtime_error("tabrino-bench: the undo measuring process printed nothing");
    return {fields[0].toDouble(), fields[1].toDouble(), fields[2].toDouble(), fields[3].toDouble()};
}

QByteArray spreadOf(const std::vector<double> &values)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    char text[64];
    std::snprintf(text, sizeof text, "%7.2f  [%.2f - %.2f]", Median(values), *low, *high);
    return text;
}

} // namespace

int UndoBenchChild(int items, int steps, bool keep)
{
    const qint64 empty = residentKiB();
    ItemGrid grid;
    WebFormInfo info;
    makeForm(grid, info, items);
    grid.setCellColour(grid.currentRow(), grid.currentColumn(), Highlight);
    std::vector<GridChange> history;
    history.reserve(steps);
    const qint64 withForm = residentKiB();

    QRandomGenerator random(1206);
    qint64 held = 0;
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < steps;) {
        if (random.bounded(4) == 0) // a click elsewhere is not a step
            grid.setCurrentCell(1 + int(random.bounded(grid.rows() - 1)), ColName);
        const GridChange::Snapshot before = GridChange::snapshot(grid, info);
        runCommand(grid, info, random, n);
        GridChange step(before, grid, info);
        if (step.isEmpty())
            continue;
        ++n;
        held += step.bytesHeld();
        if (keep)
            history.push_back(std::move(step));
    }
    const double ns = double(timer.nsecsElapsed());
    const qint64 after = residentKiB();
    std::printf("%.3f %.3f %.3f %.2f\n", (withForm - empty) / 1024.0, (after - withForm) / 1024.0,
                double(held) / (1 << 20), ns / 1e3 / steps);
    return 0;
}

bool RunUndoBench(const UndoBenchOptions &options)
{
    std::printf("(u) undo history: %d random commands on a %d-item form, each kept as a step;\n"
                "    a new process per run, against the same commands with no step kept\n",
                options.steps, options.items);
    std::vector<double> form, kept, dropped, history, held, perStep;
    for (int run = 0; run < options.runs; ++run) {
        const ChildFigures keep = runChild(options, true);
        const ChildFigures drop = runChild(options, false);
        form.push_back(keep.formMiB);
        kept.push_back(keep.growthMiB);
        dropped.push_back(drop.growthMiB);
        history.push_back(keep.growthMiB - drop.growthMiB);
        held.push_back(keep.heldMiB);
        perStep.push_back(keep.usPerStep);
    }
    const double historyMiB = Median(history);
    const double target = 8.0 * options.steps / 10000;
    std::printf("    %-44s median   [min - max]\n", "");
    std::printf("    %-44s %s MiB\n", "the form itself (resident)", spreadOf(form).constData());
    std::printf("    %-44s %s MiB\n", "growth, steps kept", spreadOf(kept).constData());
    std::printf("    %-44s %s MiB\n", "growth, no step kept (baseline)",
                spreadOf(dropped).constData());
    std::printf("    %-44s %s MiB (target at most %.0f)\n", "the history: kept less baseline",
                spreadOf(history).constData(), target);
    std::printf("    %-44s %s MiB\n", "the history as its steps count it",
                spreadOf(held).constData());
    std::printf("    %-44s %.0f bytes; %.2fx the form\n", "per step",
                historyMiB * (1 << 20) / options.steps, historyMiB / Median(form));
    std::printf("    %-44s %s us\n\n", "snapshot, command and step, per command",
                spreadOf(perStep).constData());
    return historyMiB <= target;
}
