// End-to-end tests of tabrino-convert: the real binary run on form files and pages in a
// temporary folder, checked by its exit status, its output and the bytes it leaves behind.
#include "TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

const QByteArray ShortStart = "<!-- FORM_START_CMD -->";
const QByteArray ShortEnd = "<!-- FORM_END_CMD -->";
const QByteArray LocationMessage =
    "The output file already exists but the form location cannot be determined.\n"
    "Please select a new form location ('Select Form Position' on the 'File' menu).\n";
const QByteArray NoOutputMessage =
    "Please specify an output file ('Properties' on the 'File' menu).\n";

// A form file with the given output file: a label and a text field, POST, Send and Clear.
QByteArray formFile(const QByteArray &outputFile)
{
    return TestFiles::joined({outputFile,   "/cgi-bin/order.pl",
                              "False",      "application/x-www-form-urlencoded",
                              "Send",       "Clear", //
                              "Label",      "",
                              "",           "Order form",
                              "",           "",
                              "",           "",
                              "Text Field", "fullname",
                              "",           "Your name:",
                              "30",         "",
                              "40",         "", //
                              "[EOF]"});
}

// The block of that form, as the generator's templates give it.
const QByteArrayList Block{
    "<!-- FORM_START_CMD: Do NOT edit or remove this line. -->",
    "<FORM ACTION=\"/cgi-bin/order.pl\" METHOD=\"POST\">",
    "<BR><B>Order form</B><BR>",
    "Your name:",
    "<INPUT Type=\"text\" Name=\"fullname\" Size=\"30\" Maxlength=\"40\" Value=\"\"><BR>",
    "<BR><INPUT Type=\"Submit\" Value=\"Send\">",
    "<INPUT Type=\"Reset\" Value=\"Clear\">",
    "</FORM>",
    "<!-- FORM_END_CMD: Do NOT edit or remove this line. -->",
};

const QByteArray NewPage =
    TestFiles::joined(QByteArrayList{"<HTML>", "<HEAD>", "<TITLE>Form created with Tabrino</TITLE>",
                                     "</HEAD>", "<BODY>"} +
                      Block + QByteArrayList{"</BODY>", "</HTML>"});

QByteArray success(const QString &file)
{
    return "Form successfully written to file [" + file.toUtf8() + "].\n";
}

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void newPage_data();
    void newPage();
    void mergeAndRemerge_data();
    void mergeAndRemerge();
    void refusalLeavesPageAlone_data();
    void refusalLeavesPageAlone();
    void outputFileAndRelativePaths();
    void failedWriteLeavesOldFile_data();
    void failedWriteLeavesOldFile();
    void usage_data();
    void usage();
    void unreadableFormFile_data();
    void unreadableFormFile();
    void formFileWithoutEndLine();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    Run convert(const QStringList &args, const QString &workingDir = QString()) const;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestConvert::init()
{
    QVERIFY2(QFileInfo(TABRINO_CONVERT).isExecutable(), TABRINO_CONVERT);
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(TestFiles::write(path("form.wfm"), formFile("")));
}

// Runs the converter in `workingDir` (the temporary folder by default) and waits for it
// however long it takes; CTest's timeout guards against a hang.
Run TestConvert::convert(const QStringList &args, const QString &workingDir) const
{
    QProcess process;
    process.setWorkingDirectory(workingDir.isEmpty() ? m_dir->path() : workingDir);
    process.start(QStringLiteral(TABRINO_CONVERT), args);
    Run run;
    if (process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
    }
    return run;
}

// A new page where there is none; --preview writes one over whatever is there and
// reports nothing.
void TestConvert::newPage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("old"); // null: no such file
    QTest::addColumn<QByteArray>("out");
    const QStringList preview{"--preview", "form.wfm", "out.htm"};
    QTest::newRow("convert") << QStringList{"form.wfm", "out.htm"} << QByteArray()
                             << success("out.htm");
    QTest::newRow("preview") << preview << QByteArray() << QByteArray();
    QTest::newRow("preview over a page with markers")
        << preview << TestFiles::joined({"<HTML>", ShortStart, ShortEnd, "<P>x</P>"})
        << QByteArray();
    QTest::newRow("preview over zero bytes") << preview << QByteArray("") << QByteArray();
}

void TestConvert::newPage()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, out);
    if (!old.isNull())
        QVERIFY(TestFiles::write(path("out.htm"), old));
    const Run run = convert(args);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, out);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TestFiles::read(path("out.htm")), NewPage);
}

// The block replaces the markers, the rest of the page keeps its bytes with CR LF line
// ends, and converting again changes nothing.
void TestConvert::mergeAndRemerge_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArrayList>("before");
    QTest::addColumn<QByteArrayList>("after");

    const QByteArrayList head{"<HTML>", "<BODY>", "<H1>Orders</H1>"};
    const QByteArrayList tail{"<P>Thank you.</P>", "</BODY>", "</HTML>"};
    const QByteArrayList page = head + QByteArrayList{ShortStart, ShortEnd} + tail;
    QTest::newRow("CR LF") << TestFiles::joined(page) << head << tail;
    QTest::newRow("LF only") << TestFiles::joined(page, "\n") << head << tail;
    QTest::newRow("CR only") << TestFiles::joined(page, "\r") << head << tail;
    QTest::newRow("8-bit bytes") << "<P>caf\xE9 \xFF\xC3\x28</P>\n" + ShortStart + "\n" + ShortEnd +
                                        "\n\x80\x81 \xE2\x82\xAC"
                                 << QByteArrayList{"<P>caf\xE9 \xFF\xC3\x28</P>"}
                                 << QByteArrayList{"\x80\x81 \xE2\x82\xAC"};
}

void TestConvert::mergeAndRemerge()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArrayList, before);
    QFETCH(QByteArrayList, after);
    QVERIFY(TestFiles::write(path("page.htm"), page));

    Run run = convert({"form.wfm", "page.htm"});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, success("page.htm"));
    QCOMPARE(run.exitCode, 0);
    const QByteArray merged = TestFiles::read(path("page.htm"));
    QCOMPARE(merged, TestFiles::joined(before + Block + after));

    run = convert({"form.wfm", "page.htm"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TestFiles::read(path("page.htm")), merged);
}

// Refusals print their message on stderr, exit with 1 and write nothing.
void TestConvert::refusalLeavesPageAlone_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("page"); // null: no page
    QTest::addColumn<QByteArray>("message");

    const QStringList args{"form.wfm", "page.htm"};
    QTest::newRow("no markers") << args << QByteArray("<HTML>\r\n<BODY>\r\n</HTML>\r\n")
                                << LocationMessage;
    QTest::newRow("start on line 1")
        << args << TestFiles::joined({ShortStart, ShortEnd}) << LocationMessage;
    QTest::newRow("end above start")
        << args << TestFiles::joined({"<HTML>", ShortEnd, ShortStart}, "\n") << LocationMessage;
    QTest::newRow("only a start, 8-bit bytes")
        << args << "<P>\xE9</P>\r" + ShortStart + "\r" << LocationMessage;
    QTest::newRow("zero-byte page")
        << args << QByteArray("")
        << QByteArray(
               "Unable to read the file [page.htm].\nLOAD: File does not exist or is zero bytes\n");
    QTest::newRow("no output file in the form")
        << QStringList{"form.wfm"} << QByteArray() << NoOutputMessage;
    QTest::newRow("empty OUTPUT over the form's")
        << QStringList{"--", "named.wfm", ""} << QByteArray() << NoOutputMessage;
    QTest::newRow("preview, no output file")
        << QStringList{"--preview", "form.wfm"} << QByteArray() << NoOutputMessage;
}

void TestConvert::refusalLeavesPageAlone()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, message);
    if (!page.isNull())
        QVERIFY(TestFiles::write(path("page.htm"), page));
    QVERIFY(TestFiles::write(path("named.wfm"), formFile("named.htm")));
    const QStringList before = TestFiles::filesIn(m_dir->path());

    const Run run = convert(args);
    QCOMPARE(run.err, message);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(TestFiles::filesIn(m_dir->path()), before);
    if (!page.isNull())
        QCOMPARE(TestFiles::read(path("page.htm")), page);
}

// Without OUTPUT the form's own output file is used, relative to the working directory
// (not to the form's folder) and named in the message as the form gives it; an explicit
// OUTPUT wins. Relative paths on the command line are resolved the same way.
void TestConvert::outputFileAndRelativePaths()
{
    QVERIFY(QDir(m_dir->path()).mkpath("forms"));
    QVERIFY(QDir(m_dir->path()).mkpath("site"));
    QVERIFY(TestFiles::write(path("forms/contact.wfm"), formFile("site/contact.htm")));
    Run run = convert({"forms/contact.wfm"});
    QCOMPARE(run.out, success("site/contact.htm"));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TestFiles::read(path("site/contact.htm")), NewPage);
    QVERIFY(!QFile::exists(path("forms/site/contact.htm")));

    run = convert({"contact.wfm", "../other.htm"}, path("forms"));
    QCOMPARE(run.out, success("../other.htm"));
    QCOMPARE(TestFiles::read(path("other.htm")), NewPage);

    QVERIFY(TestFiles::write(path("site/page.htm"),
                             TestFiles::joined({"<HTML>", ShortStart, ShortEnd})));
    run = convert({"../form.wfm", "page.htm"}, path("site"));
    QCOMPARE(run.out, success("page.htm"));
    QCOMPARE(TestFiles::read(path("site/page.htm")),
             TestFiles::joined(QByteArrayList{"<HTML>"} + Block));
}

// A page that cannot be written (its parent is a regular file) fails with the reason and
// leaves that file untouched, in both modes.
void TestConvert::failedWriteLeavesOldFile_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("convert") << QStringList{"form.wfm", "blocked.htm/page.htm"};
    QTest::newRow("preview") << QStringList{"--preview", "form.wfm", "blocked.htm/page.htm"};
}

void TestConvert::failedWriteLeavesOldFile()
{
    QFETCH(QStringList, args);
    const QByteArray old = TestFiles::joined({"<HTML>", ShortStart, ShortEnd, "\xE9"}, "\n");
    QVERIFY(TestFiles::write(path("blocked.htm"), old));

    const Run run = convert(args);
    const QByteArray start = "Unable to write to the output file [blocked.htm/page.htm].\nSAVE: ";
    QVERIFY2(run.err.startsWith(start), run.err.constData());
    QVERIFY2(run.err.size() > start.size() + 1 && run.err.endsWith('\n'), "the reason is missing");
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(TestFiles::read(path("blocked.htm")), old);
    QCOMPARE(TestFiles::filesIn(m_dir->path()), (QStringList{"blocked.htm", "form.wfm"}));
}

// Bad usage exits with 2, saying what is wrong, with the usage on stderr; --help shows the
// usage on stdout and exits with 0. Nothing is written.
void TestConvert::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("help");
    QTest::newRow("no arguments") << QStringList{} << false;
    QTest::newRow("three files") << QStringList{"form.wfm", "a.htm", "out.htm"} << false;
    QTest::newRow("unknown option") << QStringList{"--bogus", "form.wfm", "out.htm"} << false;
    QTest::newRow("options only") << QStringList{"--preview"} << false;
    QTest::newRow("--help") << QStringList{"--help"} << true;
    QTest::newRow("-h with files") << QStringList{"form.wfm", "out.htm", "-h"} << true;
}

void TestConvert::usage()
{
    QFETCH(QStringList, args);
    QFETCH(bool, help);
    const Run run = convert(args);
    const QByteArray &shown = help ? run.out : run.err;
    QCOMPARE(run.exitCode, help ? 0 : 2);
    QVERIFY((help ? run.err : run.out).isEmpty());
    QCOMPARE(shown.startsWith("tabrino-convert: "), !help);
    QVERIFY2(shown.contains("Usage: tabrino-convert [--preview] FORM.wfm [OUTPUT]"),
             shown.constData());
    QCOMPARE(TestFiles::filesIn(m_dir->path()), QStringList{"form.wfm"});
}

// A form file that cannot be read exits with 2 and the system's reason, writing nothing.
void TestConvert::unreadableFormFile_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("missing") << QStringLiteral("missing.wfm");
    QTest::newRow("a folder") << QStringLiteral("dir.wfm");
}

void TestConvert::unreadableFormFile()
{
    QFETCH(QString, form);
    QVERIFY(QDir(m_dir->path()).mkdir("dir.wfm"));
    const Run run = convert({form, "out.htm"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("Unable to open the file.\n"), run.err.constData());
    QVERIFY2(run.err.size() > 26 && run.err.endsWith('\n'), "the reason is missing");
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(TestFiles::filesIn(m_dir->path()), QStringList{"form.wfm"});
}

// A form file that ends before its "[EOF]" line is still converted with the items read so
// far (here the missing line is the last, empty cell), and the user is told on stderr.
void TestConvert::formFileWithoutEndLine()
{
    QByteArray cut = formFile("");
    cut.chop(QByteArray("\r\n[EOF]\r\n").size());
    QVERIFY(TestFiles::write(path("cut.wfm"), cut));
    const Run run = convert({"cut.wfm", "out.htm"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.contains("cut.wfm"));
    QCOMPARE(run.out, success("out.htm"));
    QCOMPARE(TestFiles::read(path("out.htm")), NewPage);
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
