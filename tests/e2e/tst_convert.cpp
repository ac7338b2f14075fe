// End-to-end tests of tabrino-convert: each part of the binary's own contract (exit status,
// stdout and stderr, files left behind) once; what a page holds is the core tests' business.
#include "TestFiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace OrderForm;
using TestFiles::joined;

struct Run
{
    int exitCode = -1;
    QByteArray out, err;
    // "exit status|stdout|stderr", to compare a whole run at once
    QByteArray all() const { return QByteArray::number(exitCode) + "|" + out + "|" + err; }
};

static QByteArray success(const QByteArray &file)
{
    return "Form successfully written to file [" + file + "].\n";
}

// "tabrino-convert: FILE: LINE\n" for each line: how the converter reports on FILE.
static QByteArray said(const QByteArray &file, const QByteArrayList &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += "tabrino-convert: " + file + ": " + line + "\n";
    return text;
}

class TestConvert : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray read(const QString &name) const { return TestFiles::read(path(name)); }

    // Runs the converter in the temporary folder, with `childSetUp` run in the child before
    // it starts; CTest guards a hang.
    Run convert(const QStringList &args, const std::function<void()> &childSetUp = {}) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        if (childSetUp)
            process.setChildProcessModifier(childSetUp);
        process.start(QStringLiteral(TABRINO_CONVERT), args);
        Run run;
        if (process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit)
            run = {process.exitCode(), process.readAllStandardOutput(),
                   process.readAllStandardError()};
        return run;
    }

    // The name and bytes of every plain file below the temporary folder (not the FIFO).
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> bytes;
        QDirIterator it(m_dir->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            bytes[QDir(m_dir->path()).relativeFilePath(file)] = TestFiles::read(file);
        }
        return bytes;
    }

private slots:
    void init()
    {
        QVERIFY2(QFileInfo(TABRINO_CONVERT).isExecutable(), TABRINO_CONVERT);
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(TestFiles::write(path("form.wfm"), wfm("")));
    }

    // Each run's exit status, stdout and stderr ("*" stands for any text), and the one file
    // it writes, every other file left byte-identical; FORM.wfm and pages as found in the
    // folder set up here. Refusals say so on stderr, each line starting with the file it
    // concerns, and exit with 1 (2 for bad usage, with the usage, or an unreadable form
    // file). A form or page that is not a regular file is reported at once: the test would
    // hang otherwise. OUTPUT defaults to the form's output file, relative to the working
    // folder (not the form's); after "--" a name starting with a dash is a file.
    void runs_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("expected"); // "exit status|stdout|stderr"
        QTest::addColumn<QString>("written");     // empty: nothing
        QTest::addColumn<QByteArray>("bytes");
        const auto row = [](const char *name, const QStringList &args, const QByteArray &expected,
                            const QString &written = {}, const QByteArray &bytes = {}) {
            QTest::newRow(name) << args << expected << written << bytes;
        };
        const QByteArray set = "0|Form position set in file [";
        const QByteArray usage = "\n\nUsage: tabrino-convert *";
        row("new page", {"form.wfm", "out.htm"}, "0|" + success("out.htm") + "|", "out.htm",
            NewPage);
        row("--preview over markers", {"--preview", "form.wfm", "marked.htm"}, "0||", "marked.htm",
            NewPage);
        row("-h", {"form.wfm", "x.htm", "-h"},
            "0|Usage: tabrino-convert [--preview] FORM.wfm [OUTPUT]\n*|");
        row("--version", {"--version"}, "0|tabrino-convert (Tabrino) " TABRINO_VERSION "\n|");
        row("form cut before [EOF]", {"cut.wfm", "cut.htm"},
            "0|" + success("cut.htm") + "|tabrino-convert: cut.wfm: *", "cut.htm", NewPage);
        row("--position", {"--position", "2", "plain.htm"}, set + "plain.htm].\n|", "plain.htm",
            joined({"<HTML>", "<BODY>", ShortStart, ShortEnd, "</HTML>", "\xE9"}));
        row("names with a dash", {"--", "-form.wfm", "-"}, "0|" + success("-") + "|", "-", NewPage);
        row("output file of the form", {"forms/contact.wfm"},
            "0|" + success("site/contact.htm") + "|", "site/contact.htm", NewPage);

        const QByteArray noOutput = ": Please specify an output file (tabrino-convert FORM.wfm "
                                    "OUTPUT).\n";
        row("no markers", {"form.wfm", "plain.htm"},
            "1||" + said("plain.htm", {"The output file already exists but the form location "
                                       "cannot be determined.",
                                       "Please select a new form location first (tabrino-convert "
                                       "--position LINE plain.htm)."}));
        const QByteArray fifoRead =
            said("fifo.htm", {"Unable to read the file [fifo.htm].", "LOAD: Not a regular file"});
        row("page is a FIFO", {"form.wfm", "fifo.htm"}, "1||" + fifoRead);
        row("--position on a FIFO", {"--position", "1", "fifo.htm"}, "1||" + fifoRead);
        row("preview onto a FIFO", {"--preview", "form.wfm", "fifo.htm"},
            "1||" + said("fifo.htm", {"Unable to write to the output file [fifo.htm].",
                                      "SAVE: Not a regular file"}));
        const QByteArray blocked = "blocked.htm/page.htm";
        row("below a file", {"form.wfm", blocked},
            "1||" + said(blocked, {"Unable to write to the output file [" + blocked + "].",
                                   "SAVE: Not a directory"}));
        row("no output file in the form", {"form.wfm"}, "1||tabrino-convert: form.wfm" + noOutput);
        row("empty OUTPUT over the form's", {"--", "named.wfm", ""},
            "1||tabrino-convert: named.wfm" + noOutput);
        row("--position on a page with a block", {"--position", "1", "marked.htm"},
            "1||tabrino-convert: marked.htm: HTML code generated by this application was found*");
        row("--position 0", {"--position", "0", "plain.htm"},
            "1||" +
                said("plain.htm", {"Line 0 would put the form's start marker on the first "
                                   "line, where no conversion accepts it."}) +
                "*");
        row("--position past the last line", {"--position", "5", "plain.htm"},
            "1||" + said("plain.htm", {"Line 5 is outside the file, which has 4 lines."}));
        row("unreadable form file", {"missing.wfm", "out.htm"},
            "2||" + said("missing.wfm", {"Unable to open the file.", "No such file or directory"}));
        row("form is a FIFO", {"fifo.htm", "out.htm"},
            "2||" + said("fifo.htm", {"Unable to open the file.", "Not a regular file"}));
        const QByteArray files = "2||tabrino-convert: expected a form file and at most one "
                                 "output file" +
                                 usage;
        row("no arguments", {}, files);
        row("three files", {"form.wfm", "a.htm", "b.htm"}, files);
        row("unknown option", {"--bogus", "form.wfm", "out.htm"},
            "2||tabrino-convert: unknown option: --bogus" + usage);
        row("--position without a number", {"--position", "x", "plain.htm"},
            "2||tabrino-convert: --position needs a line number (1 or more)" + usage);
        row("--position without a page", {"--position", "1"},
            "2||tabrino-convert: --position takes a line number and one page" + usage);
        row("--remove-existing alone", {"--remove-existing", "form.wfm", "out.htm"},
            "2||tabrino-convert: --remove-existing goes with --position" + usage);
    }
    void runs()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, expected);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        QVERIFY(QDir(m_dir->path()).mkpath("forms"));
        QVERIFY(TestFiles::write(path("plain.htm"), "<HTML>\r\n<BODY>\n</HTML>\r\xE9") &&
                TestFiles::write(path("marked.htm"), joined({"<P>", ShortStart, "x", ShortEnd})) &&
                TestFiles::write(path("named.wfm"), wfm("named.htm")) &&
                TestFiles::write(path("cut.wfm"), wfm("").chopped(9)) && // less "\r\n[EOF]\r\n"
                TestFiles::write(path("-form.wfm"), wfm("")) &&
                TestFiles::write(path("forms/contact.wfm"), wfm("site/contact.htm")) &&
                TestFiles::write(path("blocked.htm"), "<HTML>\n"));
        QVERIFY(QDir(m_dir->path()).mkpath("site"));
        QCOMPARE(mkfifo(QFile::encodeName(path("fifo.htm")).constData(), 0644), 0);
        QMap<QString, QByteArray> after = files();
        if (!written.isEmpty())
            after[written] = bytes;

        const QByteArray run = convert(args).all();
        const QList<QByteArray> parts = expected.split('*');
        QVERIFY2(run.startsWith(parts.first()) && run.endsWith(parts.last()), run.constData());
        QCOMPARE(run.contains("Usage: tabrino-convert"), expected.contains("Usage:"));
        QCOMPARE(files(), after); // a FIFO replaced by a plain file would show
    }

    // OUTPUT given on the command line as bytes that are not UTF-8 names that very file,
    // never a look-alike with replacement characters.
    void outputNamedByBytes()
    {
        QProcess shell;
        shell.setWorkingDirectory(m_dir->path());
        shell.start("/bin/sh",
                    {"-c", "exec \"$0\" form.wfm \"$(printf 'caf\\351.htm')\"", TABRINO_CONVERT});
        QVERIFY(shell.waitForFinished(-1) && shell.exitCode() == 0);
        const QByteArray latin1 = QFile::encodeName(m_dir->path()) + "/caf\xE9.htm";
        QCOMPARE(TestFiles::readNative(latin1), NewPage);
        QVERIFY(!QFile::exists(path("caf\uFFFD.htm"))); // no look-alike
        QCOMPARE(unlink(latin1.constData()), 0);        // QTemporaryDir cannot remove it
    }

    // No seam here: the real converter under a file-size limit of 8 KiB (ulimit -f 8)
    // meets what the system does, and fails with its reason, leaving the 13 KB page as it
    // was and no temporary file. The limit's signal keeps its default action, as a shell
    // leaves it: the program must not die of it.
    void systemLimits()
    {
        QByteArrayList lines{"<HTML>", "<BODY>", "<H1>Orders</H1>", ShortStart, ShortEnd};
        for (int i = 0; i < 330; ++i)
            lines << "<P>Paragraph " + QByteArray::number(i) + " of a page of 13 KB.</P>";
        QVERIFY(TestFiles::write(path("page.htm"), joined(lines)));
        QVERIFY(QFileInfo(path("page.htm")).size() > 13000);
        const QMap<QString, QByteArray> before = files();
        const auto limit = [] {
            const struct rlimit eightKiB = {8192, 8192};
            signal(SIGXFSZ, SIG_DFL);
            setrlimit(RLIMIT_FSIZE, &eightKiB);
        };
        for (const QStringList &args :
             {QStringList{"--position", "3", "--remove-existing", "page.htm"},
              QStringList{"form.wfm", "page.htm"}}) {
            const Run run = convert(args, limit);
            QVERIFY2(run.exitCode == 1 && run.out.isEmpty() &&
                         run.err.endsWith("tabrino-convert: page.htm: SAVE: File too large\n"),
                     run.all().constData());
            QCOMPARE(files(), before);
        }

        // A form too large for the memory the process may have (ulimit -v) is reported.
        QFile big(path("big.wfm"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 30)); // sparse
        big.close();
#if defined(__SANITIZE_ADDRESS__)
        // AddressSanitizer cannot start within such a limit; its allocator gets the same
        // limit instead, and the warning it prints about it is dropped.
        qputenv("ASAN_OPTIONS", "allocator_may_return_null=1:max_allocation_size_mb=256");
        Run tooLarge = convert({"big.wfm", "out.htm"});
        qunsetenv("ASAN_OPTIONS");
        tooLarge.err = tooLarge.err.mid(tooLarge.err.indexOf("tabrino-convert:"));
#else
        const Run tooLarge = convert({"big.wfm", "out.htm"}, [] {
            const struct rlimit quarterGiB = {256 << 20, 256 << 20};
            setrlimit(RLIMIT_AS, &quarterGiB);
        });
#endif
        QCOMPARE(tooLarge.all(), QByteArray("2||tabrino-convert: big.wfm: Unable to open the "
                                            "file.\ntabrino-convert: big.wfm: The file is too "
                                            "large to be read into memory\n"));
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
