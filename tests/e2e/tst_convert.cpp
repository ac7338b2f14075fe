// End-to-end tests of tabrino-convert: each part of the binary's own contract (exit status,
// stdout and stderr, files left behind) once; what a page holds is the core tests' business.
#include "TestFiles.h"

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

class TestConvert : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray read(const QString &name) const { return TestFiles::read(path(name)); }

    // Runs the converter in `workingDir` below the temporary folder, with `childSetUp` run in
    // the child before it starts; CTest guards a hang.
    Run convert(const QStringList &args, const QString &workingDir = QString(),
                const std::function<void()> &childSetUp = {}) const
    {
        QProcess process;
        process.setWorkingDirectory(path(workingDir));
        if (childSetUp)
            process.setChildProcessModifier(childSetUp);
        process.start(QStringLiteral(TABRINO_CONVERT), args);
        Run run;
        if (process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit)
            run = {process.exitCode(), process.readAllStandardOutput(),
                   process.readAllStandardError()};
        return run;
    }

    // The name and bytes of every file in the temporary folder.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> bytes;
        for (const QString &name : TestFiles::filesIn(m_dir->path()))
            bytes[name] = read(name);
        return bytes;
    }

private slots:
    void init()
    {
        QVERIFY2(QFileInfo(TABRINO_CONVERT).isExecutable(), TABRINO_CONVERT);
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(TestFiles::write(path("form.wfm"), wfm("")));
    }

    // Exit 0: a new page reported on stdout; --preview over markers, silently; -h with the
    // usage and --version with the version on stdout; a form cut before "[EOF]" converted with
    // a warning on stderr; --position with the short markers after the given line, also in
    // place of a block.
    void successfulRuns()
    {
        QCOMPARE(convert({"form.wfm", "out.htm"}).all(), "0|" + success("out.htm") + "|");
        QCOMPARE(read("out.htm"), NewPage);
        QVERIFY(TestFiles::write(path("out.htm"), joined({"<HTML>", ShortStart, ShortEnd})));
        QCOMPARE(convert({"--preview", "form.wfm", "out.htm"}).all(), QByteArray("0||"));
        QCOMPARE(read("out.htm"), NewPage);
        const QByteArray help = convert({"form.wfm", "x.htm", "-h"}).all();
        QVERIFY2(help.startsWith("0|Usage: tabrino-convert [--preview] FORM.wfm [OUTPUT]\n") &&
                     help.endsWith("|"),
                 help.constData());
        QVERIFY(!QFile::exists(path("x.htm")));
        QCOMPARE(convert({"--version"}).all(), QByteArray("0|tabrino-convert (Tabrino) " TABRINO_VERSION "\n|"));

        QVERIFY(TestFiles::write(path("cut.wfm"), wfm("").chopped(9))); // less "\r\n[EOF]\r\n"
        const Run cut = convert({"cut.wfm", "cut.htm"});
        QCOMPARE(cut.all(), "0|" + success("cut.htm") + "|" + cut.err);
        QVERIFY(cut.err.contains("cut.wfm"));
        QCOMPARE(read("cut.htm"), NewPage);

        QVERIFY(TestFiles::write(path("page.htm"), "<HTML>\n<BODY>\n</HTML>"));
        QCOMPARE(convert({"--position", "2", "page.htm"}).all(),
                 QByteArray("0|Form position set in file [page.htm].\n|"));
        QCOMPARE(read("page.htm"), joined({"<HTML>", "<BODY>", ShortStart, ShortEnd, "</HTML>"}));
        QVERIFY(TestFiles::write(path("page.htm"),
                                 joined({"<P>", ShortStart, "x", ShortEnd, "</P>"}, "\r")));
        QCOMPARE(convert({"--position", "1", "--remove-existing", "page.htm"}).all(),
                 QByteArray("0|Form position set in file [page.htm].\n|"));
        QCOMPARE(read("page.htm"), joined({"<P>", ShortStart, ShortEnd, "</P>"}));
    }

    // Every refusal puts its message on stderr, each line starting with the file it
    // concerns, and nothing on stdout, exits with 1 (2 for bad usage, with the usage, or an
    // unreadable form file) and leaves every file byte-identical. A form or page that is
    // not a regular file is reported at once: the test would hang otherwise.
    void refusalLeavesFilesAlone_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message"); // how stderr starts
        const QByteArray noOutput = ": Please specify an output file (tabrino-convert FORM.wfm "
                                    "OUTPUT).\n";
        QTest::newRow("no markers")
            << QStringList{"form.wfm", "plain.htm"} << 1
            << QByteArray("tabrino-convert: plain.htm: The output file already exists but the "
                          "form location cannot be determined.\ntabrino-convert: plain.htm: "
                          "Please select a new form location first (tabrino-convert --position "
                          "LINE plain.htm).\n");
        QTest::newRow("zero-byte page")
            << QStringList{"form.wfm", "empty.htm"} << 1
            << QByteArray("tabrino-convert: empty.htm: Unable to read the file [empty.htm].\n"
                          "tabrino-convert: empty.htm: LOAD: ");
        QTest::newRow("page is a FIFO")
            << QStringList{"form.wfm", "fifo.htm"} << 1
            << QByteArray("tabrino-convert: fifo.htm: Unable to read the file [fifo.htm].\n"
                          "tabrino-convert: fifo.htm: LOAD: Not a regular file\n");
        QTest::newRow("--position on a FIFO")
            << QStringList{"--position", "1", "fifo.htm"} << 1
            << QByteArray("tabrino-convert: fifo.htm: Unable to read the file [fifo.htm].\n"
                          "tabrino-convert: fifo.htm: LOAD: Not a regular file\n");
        QTest::newRow("preview onto a FIFO")
            << QStringList{"--preview", "form.wfm", "fifo.htm"} << 1
            << QByteArray("tabrino-convert: fifo.htm: Unable to write to the output file "
                          "[fifo.htm].\ntabrino-convert: fifo.htm: SAVE: Not a regular file\n");
        QTest::newRow("no output file in the form")
            << QStringList{"form.wfm"} << 1 << "tabrino-convert: form.wfm" + noOutput;
        QTest::newRow("empty OUTPUT over the form's")
            << QStringList{"--", "named.wfm", ""} << 1 << "tabrino-convert: named.wfm" + noOutput;
        QTest::newRow("--position on a page with a block")
            << QStringList{"--position", "1", "marked.htm"} << 1
            << QByteArray("tabrino-convert: marked.htm: HTML code generated by this "
                          "application was found");
        QTest::newRow("--position 0")
            << QStringList{"--position", "0", "plain.htm"} << 1
            << QByteArray("tabrino-convert: plain.htm: Line 0 would put the form's start "
                          "marker on the first line, where no conversion accepts it.\n");
        QTest::newRow("unreadable form file")
            << QStringList{"missing.wfm", "out.htm"} << 2
            << QByteArray("tabrino-convert: missing.wfm: Unable to open the file.\n"
                          "tabrino-convert: missing.wfm: No such file or directory\n");
        QTest::newRow("form is /dev/zero")
            << QStringList{"/dev/zero", "out.htm"} << 2
            << QByteArray("tabrino-convert: /dev/zero: Unable to open the file.\n"
                          "tabrino-convert: /dev/zero: Not a regular file\n");
        QTest::newRow("form is a FIFO")
            << QStringList{"fifo.htm", "out.htm"} << 2
            << QByteArray("tabrino-convert: fifo.htm: Unable to open the file.\n"
                          "tabrino-convert: fifo.htm: Not a regular file\n");
        QTest::newRow("no arguments")
            << QStringList{} << 2
            << QByteArray("tabrino-convert: expected a form file and at most one output file\n\n"
                          "Usage: tabrino-convert ");
        QTest::newRow("unknown option")
            << QStringList{"--bogus", "form.wfm", "out.htm"} << 2
            << QByteArray("tabrino-convert: unknown option: --bogus\n\nUsage: tabrino-convert ");
        QTest::newRow("--position past the last line")
            << QStringList{"--position", "5", "plain.htm"} << 1
            << QByteArray("tabrino-convert: plain.htm: Line 5 is outside the file, which has 4 "
                          "lines.\n");
    }
    void refusalLeavesFilesAlone()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QVERIFY(TestFiles::write(path("plain.htm"), "<HTML>\r\n<BODY>\n</HTML>\r\xE9") &&
                TestFiles::write(path("empty.htm"), "") &&
                TestFiles::write(path("marked.htm"), joined({"<P>", ShortStart, "x", ShortEnd})) &&
                TestFiles::write(path("named.wfm"), wfm("named.htm")));
        QCOMPARE(mkfifo(QFile::encodeName(path("fifo.htm")).constData(), 0644), 0);
        const QMap<QString, QByteArray> before = files(); // plain files only: not the FIFO
        const Run run = convert(args);
        QVERIFY2(run.err.startsWith(message), run.err.constData());
        QCOMPARE(run.err.contains("Usage: tabrino-convert"), message.contains("Usage:"));
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(files(), before);
        struct stat fifo;
        QVERIFY(stat(QFile::encodeName(path("fifo.htm")).constData(), &fifo) == 0 &&
                S_ISFIFO(fifo.st_mode)); // never replaced by a regular file
    }

    // OUTPUT defaults to the form's output file, relative to the working folder (not the
    // form's) and named as the form gives it; relative OUTPUT too; an existing one is merged.
    void outputFileAndRelativePaths()
    {
        QVERIFY(QDir(m_dir->path()).mkpath("forms") && QDir(m_dir->path()).mkpath("site"));
        QVERIFY(TestFiles::write(path("forms/contact.wfm"), wfm("site/contact.htm")));
        QCOMPARE(convert({"forms/contact.wfm"}).all(), "0|" + success("site/contact.htm") + "|");
        QCOMPARE(read("site/contact.htm"), NewPage);
        QVERIFY(!QFile::exists(path("forms/site/contact.htm")));

        QVERIFY(TestFiles::write(path("page.htm"), joined({"<HTML>", ShortStart, ShortEnd})));
        QCOMPARE(convert({"contact.wfm", "../page.htm"}, "forms").all(),
                 "0|" + success("../page.htm") + "|");
        QCOMPARE(read("page.htm"), joined(QByteArrayList{"<HTML>"} + Block));
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
            const Run run = convert(args, QString(), limit);
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
        const Run tooLarge = convert({"big.wfm", "out.htm"}, QString(), [] {
            const struct rlimit quarterGiB = {256 << 20, 256 << 20};
            setrlimit(RLIMIT_AS, &quarterGiB);
        });
#endif
        QCOMPARE(tooLarge.all(), QByteArray("2||tabrino-convert: big.wfm: Unable to open the "
                                            "file.\ntabrino-convert: big.wfm: The file is too "
                                            "large to be read into memory\n"));
    }

    // A page that cannot be written (below a regular file) fails with the reason on
    // stderr and leaves that file untouched, in both modes.
    void failedWriteLeavesOldFile()
    {
        const QByteArray old = joined({"<HTML>", ShortStart, ShortEnd, "\xE9"}, "\n");
        QVERIFY(TestFiles::write(path("blocked.htm"), old));
        const QMap<QString, QByteArray> before = files();
        for (const QStringList &args :
             {QStringList{"form.wfm", "blocked.htm/page.htm"},
              QStringList{"--preview", "form.wfm", "blocked.htm/page.htm"}}) {
            const QByteArray run = convert(args).all(), // the reason follows SAVE:
                start = "1||tabrino-convert: blocked.htm/page.htm: Unable to write to the "
                        "output file [blocked.htm/page.htm].\ntabrino-convert: "
                        "blocked.htm/page.htm: SAVE: Not a directory\n";
            QCOMPARE(run, start);
            QCOMPARE(files(), before);
        }
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
