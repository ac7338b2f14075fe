// End-to-end tests of tabrino-convert: each part of the binary's own contract (exit status,
// stdout and stderr, files left behind) once; what a page holds is the core tests' business.
#include "TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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

    // Runs the converter in `workingDir` below the temporary folder; CTest guards a hang.
    Run convert(const QStringList &args, const QString &workingDir = QString()) const
    {
        QProcess process;
        process.setWorkingDirectory(path(workingDir));
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
    // usage on stdout; a form cut before "[EOF]" converted with a warning on stderr;
    // --position with the short markers after the given line, also in place of a block.
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

    // Every refusal puts its message on stderr and nothing on stdout, exits with 1 (2 for
    // bad usage or an unreadable form file) and leaves every file byte-identical.
    void refusalLeavesFilesAlone_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message"); // how stderr starts
        const QByteArray noOutput =
            "Please specify an output file ('Properties' on the 'File' menu).\n";
        QTest::newRow("no markers")
            << QStringList{"form.wfm", "plain.htm"} << 1
            << QByteArray("The output file already exists but the form location cannot be "
                          "determined.\nPlease select");
        QTest::newRow("zero-byte page")
            << QStringList{"form.wfm", "empty.htm"} << 1
            << QByteArray("Unable to read the file [empty.htm].\nLOAD: ");
        QTest::newRow("no output file in the form") << QStringList{"form.wfm"} << 1 << noOutput;
        QTest::newRow("empty OUTPUT over the form's")
            << QStringList{"--", "named.wfm", ""} << 1 << noOutput;
        QTest::newRow("--position on a page with a block")
            << QStringList{"--position", "0", "marked.htm"} << 1
            << QByteArray("HTML code generated by this application was found");
        QTest::newRow("--position past the last line")
            << QStringList{"--position", "5", "plain.htm"} << 1
            << QByteArray("Line 5 is outside the file [plain.htm], which has 4 lines.\n");
        QTest::newRow("unreadable form file") << QStringList{"missing.wfm", "out.htm"} << 2
                                              << QByteArray("Unable to open the file.\n");
        QTest::newRow("no arguments") << QStringList{} << 2 << QByteArray("tabrino-convert: ");
        QTest::newRow("unknown option") << QStringList{"--bogus", "form.wfm", "out.htm"} << 2
                                        << QByteArray("tabrino-convert: unknown option: --bogus\n");
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
        const QMap<QString, QByteArray> before = files();
        const Run run = convert(args);
        QVERIFY2(run.err.startsWith(message), run.err.constData());
        QCOMPARE(run.err.contains("\nUsage: tabrino-convert"), message.startsWith("tabrino-"));
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(files(), before);
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
                start = "1||Unable to write to the output file [blocked.htm/page.htm].\nSAVE: ";
            QVERIFY2(run.startsWith(start) && run.size() > start.size() + 1, run.constData());
            QCOMPARE(files(), before);
        }
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
