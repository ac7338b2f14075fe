#include "ProcessBench.h"

#include "BenchForm.h"
#include "Conversion.h"
#include "HtmlGenerator.h"
#include "PositionMarkers.h"
#include "WebFormFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr int FormItems = 200;

[[noreturn]] void failRun(const QString &message)
{
    throw std::runtime_error(("tabrino-bench: " + message).toStdString());
}

struct Run
{
    double ms = 0;
    double rssMiB = 0; // peak resident memory of the process
};

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Runs `args` (the program looked up in PATH) with stdout into `output` (or nowhere) and
// stderr nowhere; its time from start to exit and its peak memory. The peak comes from
// /usr/bin/time, which forks the program from its own small process: a child started
// straight from this one would count this process's memory as its own (Linux keeps the
// peak of the memory a child had before exec), so wait4 alone would overstate it.
Run spawn(QStringList args, const QString &output = QString())
{
    const QString timeFile = QDir::tempPath() + "/tabrino-bench-time.txt";
    const bool measured = QFile::exists(QStringLiteral("/usr/bin/time"));
    if (measured)
        args = QStringList{"/usr/bin/time", "-f", "%M", "-o", timeFile} + args;
    std::vector<QByteArray> bytes;
    for (const QString &arg : args)
        bytes.push_back(QFile::encodeName(arg));
    std::vector<char *> argv;
    for (QByteArray &arg : bytes)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const QByteArray out = output.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(output);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const double start = nowMs();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        failRun("cannot start " + args.first());
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        failRun(args.join(' ') + " failed");
    const double ms = nowMs() - start;
    double rssMiB = -1;
    QFile peak(timeFile);
    if (measured && peak.open(QIODevice::ReadOnly))
        rssMiB = peak.readAll().trimmed().toDouble() / 1024.0;
    return {ms, rssMiB};
}

// Copies outside the timing and lets everything reach the disk first, so that writing it
// back does not land in the next measurement.
void freshCopy(const QString &from, const QString &to)
{
    QFile::remove(to);
    if (!from.isEmpty() && !QFile::copy(from, to))
        failRun("cannot copy " + from);
    ::sync();
}

// A page of about `megabytes` MB with CR LF line ends: lines of about `lineBytes` bytes,
// and the short marker lines half way down when `markers`.
void writePage(const QString &path, int megabytes, int lineBytes, bool markers, qint64 &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        failRun("cannot write " + path);
    static const QByteArray words = "<P>Lorem ipsum dolor sit amet, <A HREF=\"x.htm\">consectetur"
                                    "</A> adipiscing elit, sed do eiusmod tempor.</P> ";
    QByteArray line;
    while (line.size() < lineBytes)
        line += words;
    line.truncate(lineBytes - 2);
    line += "\r\n";
    const qint64 total = qint64(megabytes) * 1000 * 1000;
    QByteArray chunk;
    qint64 written = 0;
    bool marked = !markers;
    file.write("<HTML>\r\n<BODY>\r\n");
    lines = 2;
    while (written + chunk.size() < total) {
        if (!marked && written + chunk.size() >= total / 2) {
            chunk += "<!-- FORM_START_CMD -->\r\n<!-- FORM_END_CMD -->\r\n";
            lines += 2;
            marked = true;
        }
        chunk += line;
        ++lines;
        if (chunk.size() >= (64 << 10)) {
            written += chunk.size();
            file.write(chunk);
            chunk.clear();
        }
    }
    chunk += "</BODY>\r\n</HTML>\r\n";
    lines += 2;
    if (file.write(chunk) != chunk.size() || !file.flush())
        failRun("cannot write " + path);
}

// "median [min - max]"
QByteArray spread(const std::vector<double> &values, const char *format)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const auto text = [format](double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, value);
        return QByteArray(buffer);
    };
    return text(Median(values)) + " [" + text(*low) + " - " + text(*high) + "]";
}

struct Series
{
    std::vector<double> ms;
    std::vector<double> rss;
};

void add(Series &series, const Run &run)
{
    series.ms.push_back(run.ms);
    if (run.rssMiB >= 0)
        series.rss.push_back(run.rssMiB);
}

// The ratios of runs taken side by side.
std::vector<double> ratios(const Series &s, const Series &base)
{
    std::vector<double> r;
    for (size_t i = 0; i < s.ms.size() && i < base.ms.size(); ++i)
        r.push_back(s.ms[i] / base.ms[i]);
    return r;
}

// Prints the figures of one page size; false when a target was missed.
bool printSize(int megabytes, const std::vector<std::pair<QByteArray, Series>> &series,
               const Series &dd, const Series &cp)
{
    bool met = true;
    std::printf("  %-38s %-28s %-20s %-20s %s\n", "", "time ms: median [min - max]",
                "/ dd conv=fsync", "/ cp", "peak RSS MiB");
    for (const auto &[name, s] : series) {
        const std::vector<double> toDd = ratios(s, dd);
        std::printf("  %-38s %-28s %-20s %-20s %s\n", name.constData(),
                    spread(s.ms, "%.1f").constData(), spread(toDd, "%.2f").constData(),
                    spread(ratios(s, cp), "%.2f").constData(),
                    s.rss.empty() ? "-" : spread(s.rss, "%.1f").constData());
        if (name.startsWith("tabrino-convert") && megabytes >= 100) {
            const double ratio = Median(toDd);
            const double rss = s.rss.empty() ? 1e9 : *std::max_element(s.rss.begin(), s.rss.end());
            met = met && ratio <= 1.5 && (megabytes < 500 || rss < 64);
            std::printf("  %-38s target <= 1.5x dd: %s; peak RSS %s\n", "",
                        ratio <= 1.5 ? "PASS" : "FAIL",
                        megabytes < 500 ? "-" : (rss < 64 ? "< 64 MiB PASS" : ">= 64 MiB FAIL"));
        }
    }
    return met;
}

bool benchSize(const ProcessBenchOptions &options, int megabytes, const QString &form,
               const QString &block, const ItemGrid &grid, const WebFormInfo &info)
{
    const QString dir = options.dir;
    const QString page = dir + "/page.htm", longPage = dir + "/long-page.htm",
                  work = dir + "/work.htm", out = dir + "/out.htm";
    qint64 lines = 0, longLines = 0;
    writePage(page, megabytes, 80, true, lines);
    writePage(longPage, megabytes, 3000, false, longLines);
    const QString middle = QString::number(longLines / 2);
    std::printf("%d MB: %lld bytes in %lld lines for the merge (markers half way); %lld "
                "lines for the position (at most %d are allowed), at line %s\n",
                megabytes, qlonglong(QFile(page).size()), qlonglong(lines), qlonglong(longLines),
                MaxPositionLines, qPrintable(middle));

    const QString awkSplice = QStringLiteral(
        "!s && index(tolower($0), \"form_start_cmd\") { while ((getline l < blk) > 0) print l; "
        "s = 1; next } s == 1 { if (index(tolower($0), \"form_end_cmd\")) s = 2; next } "
        "{ print }");
    std::map<QByteArray, Series> s;
    for (int run = 0; run < options.runs; ++run) {
        freshCopy(page, work);
        Run r = spawn({options.convert, form, work});
        add(s["tabrino-convert FORM PAGE (merge)"], r);
        if (run == 0) {
            freshCopy(QString(), out);
            spawn({"awk", "-v", "blk=" + block, awkSplice, page}, out);
            spawn({"cmp", "-s", work, out}); // fails the run when they differ
        }

        freshCopy(longPage, work);
        r = spawn({options.convert, "--position", middle, work});
        add(s["tabrino-convert --position N PAGE"], r);

        freshCopy(QString(), out);
        r = spawn({"dd", "if=" + page, "of=" + out, "bs=1M", "conv=fsync", "status=none"});
        add(s["dd bs=1M conv=fsync"], r);

        freshCopy(QString(), out);
        r = spawn({"cp", page, out});
        add(s["cp"], r);

        freshCopy(QString(), out);
        r = spawn({"awk", "-v", "blk=" + block, awkSplice, page}, out);
        add(s["awk splice (no fsync)"], r);

        // The same work in this process, for comparison with the figures above.
        freshCopy(page, work);
        QElapsedTimer timer;
        timer.start();
        if (!ConvertToHtml(grid, info, work, false).ok())
            failRun("the in-process merge failed");
        s["in-process ConvertToHtml merge"].ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        freshCopy(longPage, work);
        timer.start();
        if (!PlacePositionMarkers(work, longLines / 2, false).ok())
            failRun("the in-process position failed");
        s["in-process PlacePositionMarkers"].ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::vector<std::pair<QByteArray, Series>> order;
    for (const char *name :
         {"tabrino-convert FORM PAGE (merge)", "tabrino-convert --position N PAGE",
          "dd bs=1M conv=fsync", "cp", "awk splice (no fsync)", "in-process ConvertToHtml merge",
          "in-process PlacePositionMarkers"})
        order.emplace_back(name, s[name]);
    const bool met = printSize(megabytes, order, s["dd bs=1M conv=fsync"], s["cp"]);
    std::printf("\n");
    for (const QString &file : {page, longPage, work, out})
        QFile::remove(file);
    return met;
}

} // namespace

bool RunProcessBench(const ProcessBenchOptions &options)
{
    std::printf("(e) tabrino-convert as users run it: a new process per run, a %d-item form, "
                "%d runs interleaved with dd, cp and awk; pages written and synced before each "
                "run\n    converter: %s\n",
                FormItems, options.runs, qPrintable(options.convert));
    ItemGrid grid;
    WebFormInfo info;
    makeForm(grid, info, FormItems);
    const QString form = options.dir + "/form.wfm";
    const QString block = options.dir + "/block.htm";
    if (!WriteWebFormFile(form, info, grid).isEmpty())
        failRun("cannot write the form file");
    {
        // The block as the awk splice inserts it: the generator's lines, CR LF after each.
        TextFile lines;
        lines.ResetFile(QByteArray());
        GenerateFormCode(lines, 1, grid, info);
        QFile file(block);
        if (!file.open(QIODevice::WriteOnly))
            failRun("cannot write " + block);
        for (qint32 line = 2; line <= lines.LineCount(); ++line)
            file.write(lines.TextLine(line) + "\r\n");
    }
    bool met = true;
    for (int megabytes : options.megabytes)
        met = benchSize(options, megabytes, form, block, grid, info) && met;
    QFile::remove(form);
    QFile::remove(block);
    return met;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
