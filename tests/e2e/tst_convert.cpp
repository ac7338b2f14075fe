// End-to-end tests of tabrino-convert: each part of the binary's own contract (exit status,
// stdout and stderr, files left behind) once; what a page holds is the core tests' business.
#include "TestFiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace OrderForm;
using TestFiles::joined;

// The limits a run may meet: a file size of 8 KiB (ulimit -f 8) with the signal of that
// limit at its default action, as a shell leaves it; an address space of 256 MiB (ulimit -v).
enum Limit { NoLimit, FileSize, Memory };

// A run that wrote `file` and said so.
static QByteArray success(const QByteArray &file)
{
    return "0|Form successfully written to file [" + file + "].\n|";
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

    // Runs the converter in the temporary folder under `limit`: "exit status|stdout|stderr";
    // CTest guards a hang.
    QByteArray convert(const QStringList &args, Limit limit = NoLimit) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.setChildProcessModifier([limit] {
            const struct rlimit eightKiB = {8192, 8192}, quarterGiB = {256 << 20, 256 << 20};
            signal(SIGXFSZ, SIG_DFL);
            if (limit == FileSize)
                setrlimit(RLIMIT_FSIZE, &eightKiB);
            if (limit == Memory)
                setrlimit(RLIMIT_AS, &quarterGiB);
        });
        process.start(QStringLiteral(TABRINO_CONVERT), args);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
            return "died";
        return QByteArray::number(process.exitCode()) + "|" + process.readAllStandardOutput() +
               "|" + process.readAllStandardError();
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
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(TestFiles::write(path("form.wfm"), wfm("")));
    }

    // Each run's exit status, stdout and stderr ("*": any text) and the one file it writes,
    // all else left as it was. Refusals: stderr lines naming the file, exit status 1 (2: bad
    // usage, with the usage, or an unreadable form). No regular file: reported, not waited
    // on. OUTPUT defaults to the form's, relative to the working folder. A real file-size
    // limit fails a write with the system's reason; its signal does not kill the program.
    void runs_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("expected"); // "exit status|stdout|stderr"
        QTest::addColumn<QString>("written");     // empty: nothing
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("limit");
        const auto row = [](const char *name, const QStringList &args, const QByteArray &expected,
                            const QString &written = {}, const QByteArray &bytes = {},
                            Limit limit = NoLimit) {
            QTest::newRow(name) << args << expected << written << bytes << int(limit);
        };
        const QByteArray usage = "\n\nUsage: tabrino-convert *";
        row("new page", {"form.wfm", "out.htm"}, success("out.htm"), "out.htm", NewPage);
        row("--preview over markers", {"--preview", "form.wfm", "marked.htm"}, "0||", "marked.htm",
            NewPage);
        row("-h", {"form.wfm", "x.htm", "-h"}, "0|Usage: tabrino-convert *|");
        row("--version", {"--version"}, "0|tabrino-convert (Tabrino) " TABRINO_VERSION "\n|");
        row("form cut before [EOF]", {"cut.wfm", "cut.htm"},
            success("cut.htm") + "tabrino-convert: cut.wfm: *", "cut.htm", NewPage);
        row("--position", {"--position", "2", "plain.htm"},
            "0|Form position set in file [plain.htm].\n|", "plain.htm",
            joined({"<HTML>", "<BODY>", ShortStart, ShortEnd, "</HTML>", "\xE9"}));
        row("names with a dash", {"--", "-form.wfm", "-"}, success("-"), "-", NewPage);
        row("output file of the form", {"forms/contact.wfm"}, success("site/contact.htm"),
            "site/contact.htm", NewPage);

        const QByteArray noOutput = ": Please specify*(tabrino-convert FORM.wfm OUTPUT).\n";
        row("no markers", {"form.wfm", "plain.htm"},
            "1||tabrino-convert: plain.htm: The output file already exists*"
            "(tabrino-convert --position LINE plain.htm).\n");
        const QByteArray fifoRead =
            said("fifo.htm", {"Unable to read the file [fifo.htm].", "LOAD: Not a regular file"});
        row("page is a FIFO", {"form.wfm", "fifo.htm"}, "1||" + fifoRead);
        row("--position on a FIFO", {"--position", "1", "fifo.htm"}, "1||" + fifoRead);
        row("preview onto a FIFO", {"--preview", "form.wfm", "fifo.htm"},
            "1||tabrino-convert: fifo.htm: Unable to write*fifo.htm: SAVE: Not a regular file\n");
        row("below a file", {"form.wfm", "blocked.htm/page.htm"},
            "1||tabrino-convert: blocked.htm/page.htm: Unable to write*: SAVE: Not a directory\n");
        row("no output file in the form", {"form.wfm"}, "1||tabrino-convert: form.wfm" + noOutput);
        row("empty OUTPUT over the form's", {"--", "named.wfm", ""},
            "1||tabrino-convert: named.wfm" + noOutput);
        row("--position on a page with a block", {"--position", "1", "marked.htm"},
            "1||tabrino-convert: marked.htm: HTML code generated by this application was found*");
        row("--position 0", {"--position", "0", "plain.htm"},
            "1||tabrino-convert: plain.htm: Line 0 would put*");
        const QByteArray tooLarge = "1||tabrino-convert: marked.htm: *: SAVE: File too large\n";
        row("merge, file-size limit", {"form.wfm", "marked.htm"}, tooLarge, {}, {}, FileSize);
        row("--position, file-size limit", {"--position", "1", "--remove-existing", "marked.htm"},
            tooLarge, {}, {}, FileSize);
        row("unreadable form file", {"missing.wfm", "out.htm"},
            "2||" + said("missing.wfm", {"Unable to open the file.", "No such file or directory"}));
        row("form is a FIFO", {"fifo.htm", "out.htm"},
            "2||" + said("fifo.htm", {"Unable to open the file.", "Not a regular file"}));
        const QByteArray files = "2||tabrino-convert: expected a form file*" + usage;
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
        QFETCH(int, limit);
        QVERIFY(QDir(m_dir->path()).mkpath("forms") && QDir(m_dir->path()).mkpath("site"));
        // marked.htm is over 8 KiB, and so is anything written from it.
        QVERIFY(TestFiles::write(path("plain.htm"), "<HTML>\r\n<BODY>\n</HTML>\r\xE9") &&
                TestFiles::write(path("marked.htm"), joined({"<P>", ShortStart, "x", ShortEnd,
                                                             QByteArray(9000, 'p')})) &&
                TestFiles::write(path("named.wfm"), wfm("named.htm")) &&
                TestFiles::write(path("cut.wfm"), wfm("").chopped(9)) && // less "\r\n[EOF]\r\n"
                TestFiles::write(path("-form.wfm"), wfm("")) &&
                TestFiles::write(path("forms/contact.wfm"), wfm("site/contact.htm")) &&
                TestFiles::write(path("blocked.htm"), "<HTML>\n"));
        QCOMPARE(mkfifo(QFile::encodeName(path("fifo.htm")).constData(), 0644), 0);
        QMap<QString, QByteArray> after = files();
        if (!written.isEmpty())
            after[written] = bytes;

        const QByteArray run = convert(args, Limit(limit));
        const QList<QByteArray> parts = expected.split('*');
        QVERIFY2(run.startsWith(parts.first()) && run.endsWith(parts.last()), run.constData());
        QCOMPARE(run.contains("Usage: tabrino-convert"), expected.contains("Usage:"));
        QCOMPARE(files(), after); // a FIFO replaced by a plain file would show
    }

    // OUTPUT given on the command line as bytes that are not UTF-8 names that very file. A
    // form too large for the memory the process may have is reported.
    void outputNamedByBytesAndFormTooLarge()
    {
        const QString script = "cd \"$1\" && exec \"$0\" form.wfm \"$(printf 'caf\\351.htm')\"";
        QCOMPARE(QProcess::execute("/bin/sh", {"-c", script, TABRINO_CONVERT, m_dir->path()}), 0);
        const QByteArray latin1 = QFile::encodeName(m_dir->path()) + "/caf\xE9.htm";
        QCOMPARE(TestFiles::readNative(latin1), NewPage);
        QCOMPARE(unlink(latin1.constData()), 0); // QTemporaryDir cannot remove it
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer cannot start within an address-space limit");
#endif
        QFile big(path("big.wfm"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 30)); // sparse
        big.close();
        QCOMPARE(convert({"big.wfm", "out.htm"}, Memory),
                 "2||" + said("big.wfm", {"Unable to open the file.",
                                          "The file is too large to be read into memory"}));
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
