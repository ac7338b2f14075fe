// tabrino-bench: times the core's file work on large inputs (merging a form into a big page,
// making a new page, loading and saving a form file, inserting lines into the buffer) and
// reports the median of several runs against its target; (e) runs the real tabrino-convert
// as a new process per run, as users run it; (u) measures the memory of an undo history in
// new processes. It is a report, not a test: it exits with status 0 even when a target is
// missed.
#include "BenchForm.h"
#include "Conversion.h"
#include "ItemGrid.h"
#include "ProcessBench.h"
#include "TextFile.h"
#include "UndoBench.h"
#include "WebFormFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

// A benchmark that cannot do its work stops the run: its figures would mean nothing. It
// is thrown, not exited, so that the work folder is still removed.
struct BenchFailure : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const QString &message)
{
    throw BenchFailure(("tabrino-bench: " + message).toStdString());
}

struct Sizes
{
    qint64 pageBytes;
    int mergeItems;
    int bigFormItems;
    int bufferLines;
    int fewInserts;
    int manyInserts;
};

constexpr Sizes FullSizes{100 * 1000 * 1000, 200, 10000, 1000000, 100000, 1000000};
constexpr Sizes QuickSizes{10 * 1000 * 1000, 200, 2000, 100000, 10000, 100000};

struct Result
{
    QByteArray name;
    double median;
    QByteArray unit;
    QByteArray target; // empty when the line is informative only
    bool pass;
};

std::vector<Result> results;

void report(const QByteArray &name, double median, const QByteArray &unit,
            const QByteArray &target = QByteArray(), bool pass = true)
{
    results.push_back({name, median, unit, target, pass});
}

void printRuns(const char *label, const std::vector<double> &runs, double med)
{
    std::printf("    %-32s", label);
    for (double ms : runs)
        std::printf(" %8.1f", ms);
    std::printf("   median %8.1f ms\n", med);
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Stops the run when the work folder is unusable: the figures would mean nothing.
void writeFileOrDie(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        fail(QString::asprintf("cannot write %s: %s", qPrintable(path),
                               qPrintable(file.errorString())));
    }
}

// Copies outside the timing and lets the copy reach the disk first, so that writing it
// back in the background does not land in the next measurement.
void copyFileOrDie(const QString &from, const QString &to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to)) {
        fail(QString::asprintf("cannot copy %s to %s", qPrintable(from), qPrintable(to)));
    }
    ::sync();
}

const QByteArray MarkerLines = "<!-- FORM_START_CMD -->\r\n<!-- FORM_END_CMD -->\r\n";

// An HTML page of about `bytes` bytes with a pair of short markers half way down, on line
// `markerLine` at byte `markerOffset`; every line ends with CR LF.
QByteArray makePage(qint64 bytes, qint32 &markerLine, qsizetype &markerOffset)
{
    static const char *const body[] = {
        "<P>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.</P>",
        "<TABLE BORDER=\"1\"><TR><TD>Cell</TD><TD>Another cell</TD></TR></TABLE>",
        "  <LI><A HREF=\"section.htm\">A link to a section of the site</A></LI>",
        "",
        "<H2>Heading of a part</H2>",
        "<DIV CLASS=\"note\">Tempor incididunt ut labore et dolore magna aliqua.</DIV>",
    };
    QByteArray page;
    page.reserve(bytes + 4096);
    page += "<HTML>\r\n<HEAD><TITLE>A very long page</TITLE></HEAD>\r\n<BODY>\r\n";
    qint32 line = 3;
    markerLine = 0;
    for (int i = 0; page.size() < bytes; ++i) {
        if (markerLine == 0 && page.size() >= bytes / 2) {
            markerOffset = page.size();
            page += MarkerLines;
            markerLine = line + 1;
            line += 2;
        }
        page += body[i % 6];
        page += "\r\n";
        ++line;
    }
    page += "</BODY>\r\n</HTML>\r\n";
    return page;
}

// The time /bin/cp takes to copy `from` to `to`, started and waited for as a process.
double timeCp(const QString &from, const QString &to)
{
    QProcess cp;
    QElapsedTimer timer;
    timer.start();
    cp.start(QStringLiteral("/bin/cp"), {from, to});
    const bool finished = cp.waitForFinished(-1);
    const double ms = msSince(timer);
    if (!finished || cp.exitStatus() != QProcess::NormalExit || cp.exitCode() != 0) {
        fail(QStringLiteral("/bin/cp failed"));
    }
    return ms;
}

// (a) Merging a small form into a very large page, against copying that page with cp.
void benchMerge(const QString &dir, const Sizes &sizes, int runs)
{
    qint32 markerLine = 0;
    qsizetype markerOffset = 0;
    const QByteArray pageBytes = makePage(sizes.pageBytes, markerLine, markerOffset);
    const QString original = dir + "/page-original.htm";
    const QString work = dir + "/page.htm";
    const QString copy = dir + "/page-copy.htm";
    writeFileOrDie(original, pageBytes);
    std::printf(
        "(a) in-process: merge a %d-item form into a %.1f MB page (%lld bytes, markers at line "
        "%d)\n",
        sizes.mergeItems, double(pageBytes.size()) / 1e6, qlonglong(pageBytes.size()), markerLine);

    ItemGrid grid;
    WebFormInfo info;
    makeForm(grid, info, sizes.mergeItems);

    std::vector<double> mergeRuns;
    std::vector<double> cpRuns;
    std::vector<double> cpNewRuns;
    for (int run = 0; run < runs; ++run) {
        copyFileOrDie(original, work);
        QElapsedTimer timer;
        timer.start();
        const Outcome outcome = ConvertToHtml(grid, info, work, false);
        mergeRuns.push_back(msSince(timer));
        if (outcome.result != Outcome::Written) {
            fail(QString::asprintf("the merge failed: %s", qPrintable(outcome.message)));
        }

        // Like the merge, cp replaces a fresh copy of the page.
        copyFileOrDie(original, copy);
        cpRuns.push_back(timeCp(original, copy));
        QFile::remove(copy);
        ::sync();
        cpNewRuns.push_back(timeCp(original, copy));
    }
    // The page around the markers must have come through unchanged.
    QFile merged(work);
    const qsizetype tail = pageBytes.size() - markerOffset - MarkerLines.size();
    const QByteArray result = merged.open(QIODevice::ReadOnly) ? merged.readAll() : QByteArray();
    if (!result.startsWith(pageBytes.left(markerOffset)) ||
        !result.endsWith(pageBytes.right(tail)) || result.size() <= pageBytes.size()) {
        fail(QStringLiteral("the merged page is not the original around the form"));
    }
    const double mergeMs = Median(mergeRuns);
    const double cpMs = Median(cpRuns);
    const double cpNewMs = Median(cpNewRuns);
    printRuns("ConvertToHtml merge (ms):", mergeRuns, mergeMs);
    printRuns("cp over a fresh copy (ms):", cpRuns, cpMs);
    printRuns("cp to a new file (ms):", cpNewRuns, cpNewMs);
    const double ratio = mergeMs / cpMs;
    const double ratioNew = mergeMs / cpNewMs;
    std::printf("    ratio merge / cp over a fresh copy: %.2f (target at most 3)\n", ratio);
    std::printf("    ratio merge / cp to a new file:     %.2f (cp then neither drops an old\n"
                "    file nor syncs; the merge's safe save does both)\n\n",
                ratioNew);
    report("(a) merge into big page", mergeMs, "ms");
    report("(a) cp over a fresh copy", cpMs, "ms");
    report("(a) cp to a new file", cpNewMs, "ms");
    report("(a) ratio merge / cp", ratio, "x", "<= 3", ratio <= 3.0);
    report("(a) ratio merge / cp new", ratioNew, "x");
    QFile::remove(original);
    QFile::remove(work);
    QFile::remove(copy);
}

// (b) A new page for a large form.
void benchNewPage(const QString &dir, const Sizes &sizes, int runs)
{
    std::printf("(b) new page for a %d-item form (ConvertToHtml silent)\n", sizes.bigFormItems);
    ItemGrid grid;
    WebFormInfo info;
    makeForm(grid, info, sizes.bigFormItems);
    const QString page = dir + "/new-page.htm";
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(page);
        QElapsedTimer timer;
        timer.start();
        const Outcome outcome = ConvertToHtml(grid, info, page, true);
        times.push_back(msSince(timer));
        if (!outcome.ok()) {
            fail(QStringLiteral("the new page failed"));
        }
    }
    const double med = Median(times);
    printRuns("ConvertToHtml new page (ms):", times, med);
    std::printf("    page of %lld bytes, %d lines\n\n", qlonglong(QFile(page).size()),
                PageBuffer().LineCount());
    report("(b) new page, big form", med, "ms", "< 100 ms", med < 100.0);
}

// (c) Loading a large Web Form File into a grid and saving it again.
void benchFormFile(const QString &dir, const Sizes &sizes, int runs)
{
    std::printf("(c) load and save a %d-item .wfm\n", sizes.bigFormItems);
    const QString source = dir + "/form.wfm";
    const QString target = dir + "/form-saved.wfm";
    {
        ItemGrid grid;
        WebFormInfo info;
        makeForm(grid, info, sizes.bigFormItems);
        if (!WriteWebFormFile(source, info, grid).isEmpty()) {
            fail(QStringLiteral("cannot write the form file"));
        }
    }
    std::vector<double> loads;
    std::vector<double> saves;
    std::vector<double> totals;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(target);
        QElapsedTimer timer;
        timer.start();
        const WebFormReadResult read = ReadWebFormFile(source);
        ItemGrid grid;
        FillGrid(grid, read.contents.rows);
        const double load = msSince(timer);
        timer.start();
        const QString error = WriteWebFormFile(target, read.contents.properties, grid);
        const double save = msSince(timer);
        if (!read.opened || !error.isEmpty() || grid.rows() != sizes.bigFormItems + 1) {
            fail(QStringLiteral("the form file did not load or save"));
        }
        loads.push_back(load);
        saves.push_back(save);
        totals.push_back(load + save);
    }
    const double load = Median(loads);
    const double save = Median(saves);
    const double total = Median(totals);
    printRuns("load (read + fill grid, ms):", loads, load);
    printRuns("save (ms):", saves, save);
    printRuns("load + save (ms):", totals, total);
    std::printf("    file of %lld bytes\n\n", qlonglong(QFile(source).size()));
    report("(c) .wfm load", load, "ms");
    report("(c) .wfm save", save, "ms");
    report("(c) .wfm load + save", total, "ms", "< 100 ms", total < 100.0);
}

// (d) Consecutive inserts at an advancing position in the middle of a large buffer. The
// first insert positions the buffer's gap (a one-off cost); the rest must cost the same
// each, however many there are.
struct InsertTiming
{
    double firstMs;
    double restMs;
};

InsertTiming timeInserts(const QList<QByteArray> &lines, int inserts)
{
    TextFile buffer;
    buffer.FromListbox(lines);
    const QByteArray text = "<INPUT Type=\"text\" Name=\"inserted\"><BR>";
    qint32 line = buffer.LineCount() / 2;
    QElapsedTimer timer;
    timer.start();
    buffer.InsertLine(line, text);
    const double first = msSince(timer);
    timer.start();
    for (int i = 1; i < inserts; ++i)
        buffer.InsertLine(line, text);
    const double rest = msSince(timer);
    if (buffer.LineCount() != lines.size() + inserts) {
        fail(QStringLiteral("the inserts went wrong"));
    }
    return {first, rest};
}

void benchInserts(const Sizes &sizes, int runs)
{
    std::printf("(d) consecutive InsertLine in the middle of a %d-line buffer\n",
                sizes.bufferLines);
    QList<QByteArray> lines;
    lines.reserve(sizes.bufferLines);
    for (int i = 0; i < sizes.bufferLines; ++i)
        lines.append("<P>line " + QByteArray::number(i) + "</P>");

    double perInsert[2] = {0, 0};
    const int counts[2] = {sizes.fewInserts, sizes.manyInserts};
    for (int k = 0; k < 2; ++k) {
        std::vector<double> firsts;
        std::vector<double> rests;
        for (int run = 0; run < runs; ++run) {
            const InsertTiming t = timeInserts(lines, counts[k]);
            firsts.push_back(t.firstMs);
            rests.push_back(t.restMs);
        }
        const double rest = Median(rests);
        perInsert[k] = rest * 1e6 / (counts[k] - 1);
        char label[64];
        std::snprintf(label, sizeof label, "%d inserts, less 1st (ms):", counts[k]);
        printRuns(label, rests, rest);
        std::printf("    %-32s %.2f ms (first insert, positions the gap)\n", "", Median(firsts));
        std::printf("    %-32s %.1f ns per insert\n", "", perInsert[k]);
        report("(d) InsertLine x " + QByteArray::number(counts[k]), perInsert[k], "ns/insert");
    }
    // O(1) each means the total grows linearly: the cost per insert stays the same.
    const double growth = perInsert[1] / perInsert[0];
    std::printf("    %d inserts took %.2fx as long as %d (%.2fx = linear); %.2fx the cost per "
                "insert\n\n",
                counts[1], growth * (counts[1] - 1) / (counts[0] - 1), counts[0],
                double(counts[1] - 1) / (counts[0] - 1), growth);
    report("(d) per-insert growth", growth, "x", "<= 2 (O(1))", growth <= 2.0);
}

void printSummary()
{
    std::printf("Summary (medians)\n");
    std::printf("  %-28s %12s %-10s %-12s %s\n", "name", "median", "unit", "target", "result");
    for (const Result &r : results) {
        std::printf("  %-28s %12.2f %-10s %-12s %s\n", r.name.constData(), r.median,
                    r.unit.constData(), r.target.isEmpty() ? "-" : r.target.constData(),
                    r.target.isEmpty() ? "" : (r.pass ? "PASS" : "FAIL"));
    }
    const bool allPass =
        std::all_of(results.begin(), results.end(), [](const Result &r) { return r.pass; });
    std::printf("%s\n", allPass ? "All targets met." : "SOME TARGETS MISSED (see FAIL above).");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    // (u) measures in a new process: this program started again.
    if (args.size() == 4 && args[0] == QLatin1String("--undo-child"))
        return UndoBenchChild(args[2].toInt(), args[3].toInt(), args[1] == QLatin1String("keep"));
    bool quick = false;
    int runs = 5;
    QString only = QStringLiteral("abcdeu");
    ProcessBenchOptions process{QStringLiteral(TABRINO_CONVERT), QString(), {1, 10, 100, 500}, 5};
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--quick")) {
            quick = true;
        } else if (args[i] == QLatin1String("--runs") && i + 1 < args.size()) {
            runs = std::max(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--only") && i + 1 < args.size()) {
            only = args[++i];
        } else if (args[i] == QLatin1String("--sizes") && i + 1 < args.size()) {
            process.megabytes.clear();
            for (const QString &mb : args[++i].split(QLatin1Char(',')))
                process.megabytes.append(std::max(1, mb.toInt()));
        } else if (args[i] == QLatin1String("--convert") && i + 1 < args.size()) {
            process.convert = args[++i];
        } else {
            std::printf(
                "usage: tabrino-bench [--quick] [--runs N] [--only LETTERS] [--sizes MB,...]\n"
                "                     [--convert PATH]\n"
                "  --quick         smaller sizes, for a smoke run\n"
                "  --runs N        runs per measurement (default 5); medians are reported\n"
                "  --only LETTERS  run only some of the benchmarks a to e and u (e.g. au)\n"
                "  --sizes MB,...  page sizes of (e), default 1,10,100,500 (quick: 1,10)\n"
                "  --convert PATH  the tabrino-convert that (e) runs\n"
                "Work files go into a temporary folder under $TMPDIR (or /tmp).\n");
            return args[i] == QLatin1String("--help") ? 0 : 2;
        }
    }
    const Sizes &sizes = quick ? QuickSizes : FullSizes;
    if (quick && process.megabytes == QList<int>{1, 10, 100, 500})
        process.megabytes = {1, 10};

    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tabrino-bench-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "tabrino-bench: cannot make a work folder: %s\n",
                     qPrintable(dir.errorString()));
        return 1;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("Tabrino benchmarks: %s sizes, %d runs each, work folder %s\n\n",
                quick ? "quick" : "full", runs, qPrintable(dir.path()));

    try {
        if (only.contains(QLatin1Char('a')))
            benchMerge(dir.path(), sizes, runs);
        if (only.contains(QLatin1Char('b')))
            benchNewPage(dir.path(), sizes, runs);
        if (only.contains(QLatin1Char('c')))
            benchFormFile(dir.path(), sizes, runs);
        if (only.contains(QLatin1Char('d')))
            benchInserts(sizes, runs);
        if (only.contains(QLatin1Char('e'))) {
            process.dir = dir.path();
            process.runs = runs;
            const bool met = RunProcessBench(process);
            report("(e) tabrino-convert targets", met ? 1 : 0, "", "all PASS", met);
        }
        if (only.contains(QLatin1Char('u'))) {
            const int count = quick ? 2000 : 10000;
            const UndoBenchOptions undo{QCoreApplication::applicationFilePath(), count, count,
                                        runs};
            const bool met = RunUndoBench(undo);
            report("(u) undo history memory", met ? 1 : 0, "", "within", met);
        }
    } catch (const std::runtime_error &failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    printSummary();
    return 0;
}
