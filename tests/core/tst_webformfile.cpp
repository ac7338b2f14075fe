// Tests of the Web Form File (.wfm) reader and writer: the exact bytes written, values
// surviving a round trip unchanged, and files that end early or are not form files at all.
#include "TestDocument.h"
#include "TestFiles.h"
#include "WebFormFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace TestDocument;

namespace {

const QByteArray DefaultMedia = "application/x-www-form-urlencoded";
const QByteArrayList NewProps{"", "", "False", DefaultMedia, "Submit", "Reset"};
const QByteArrayList EmptyRow(ItemColumnCount, QByteArray(""));

// The six property lines as the file holds them.
QByteArrayList propsOf(const WebFormInfo &info)
{
    return {info.OutputFile, info.CGIFile,    info.MethodGet ? "True" : "False",
            info.MediaType,  info.SubmitText, info.ResetText};
}

WebFormInfo infoOf(const QByteArrayList &props)
{
    WebFormInfo info;
    info.OutputFile = props.at(0);
    info.CGIFile = props.at(1);
    info.MethodGet = props.at(2) == "True";
    info.MediaType = props.at(3);
    info.SubmitText = props.at(4);
    info.ResetText = props.at(5);
    return info;
}

} // namespace

class TestWebFormFile : public QObject
{
    Q_OBJECT

private slots:
    void emptyDocumentIsFifteenLines();
    void exampleFileByteExact();
    void roundTrip_data();
    void roundTrip();
    void methodLine_data();
    void methodLine();
    void readsUntilEndLineOrEndOfFile_data();
    void readsUntilEndLineOrEndOfFile();
    void writeFailureLeavesOldFile_data();
    void writeFailureLeavesOldFile();

private:
    QTemporaryDir m_dir; // each test uses its own file names in it
};

void TestWebFormFile::emptyDocumentIsFifteenLines()
{
    const QString file = m_dir.filePath("new.wfm");
    QCOMPARE(WriteWebFormFile(file, newInfo(), ItemGrid()), QString());
    QCOMPARE(TestFiles::read(file),
             TestFiles::joined(NewProps + EmptyRow + QByteArrayList{"[EOF]"}));
    QCOMPARE(TestFiles::read(file).count("\r\n"), 15);

    const WebFormReadResult read = ReadWebFormFile(file);
    QVERIFY(read.opened);
    QVERIFY(read.contents.reachedEndLine);
    QCOMPARE(propsOf(read.contents.properties), NewProps);
    QCOMPARE(cellsOf(read.contents.rows), EmptyRow);
}

// The label and text field of the documented example, byte for byte.
void TestWebFormFile::exampleFileByteExact()
{
    WebFormInfo info = newInfo();
    info.OutputFile = "C:\\web\\contact.htm";
    info.CGIFile = "/cgi-bin/FormMail.pl";
    const auto grid = gridOf({"Label", "", "", "Your details", "", "", "", "", //
                              "Text Field", "email", "", "E-mail:", "40", "", "60", ""});
    QCOMPARE(FormatWebFormFile(info, *grid),
             QByteArray("C:\\web\\contact.htm\r\n/cgi-bin/FormMail.pl\r\nFalse\r\n"
                        "application/x-www-form-urlencoded\r\nSubmit\r\nReset\r\n"
                        "Label\r\n\r\n\r\nYour details\r\n\r\n\r\n\r\n\r\n"
                        "Text Field\r\nemail\r\n\r\nE-mail:\r\n40\r\n\r\n60\r\n\r\n"
                        "[EOF]\r\n"));
}

// Every property and cell comes back with exactly its bytes, and writing the reloaded
// document gives the same file again.
void TestWebFormFile::roundTrip_data()
{
    QTest::addColumn<QByteArrayList>("props");
    QTest::addColumn<QByteArrayList>("cells");

    QTest::newRow("every cell filled, GET")
        << QByteArrayList{"out.htm", "/cgi-bin/x.pl", "True", "multipart/form-data", "Go", "Undo"}
        << QByteArrayList{"Text Field", "email", "you@", "E-mail:", "40", "2", "60", "other"};
    QTest::newRow("empty cells and properties")
        << QByteArrayList{"", "", "False", "", "", ""}
        << QByteArrayList{"Label", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "x"};
    QTest::newRow("leading and trailing blanks")
        << QByteArrayList{" out.htm ", "\tcgi", "False", " " + DefaultMedia, "Submit ", " "}
        << QByteArrayList{"Text Field", " name ", "  ", " Label: ", " 40", "", "60 ", "\t"};
    QTest::newRow("[EOF] and look-alikes as cell text")
        << NewProps << QByteArrayList{"Hidden Field", "[EOF]", "[EOF]", "", "", "", "", "[EOF]",
                                      "[eof]",        "a",     "",      "", "", "", "", "",
                                      "[EOF] ",       "b",     "",      "", "", "", "", ""};
    QTest::newRow("8-bit and invalid UTF-8 bytes, unknown type")
        << QByteArrayList{"caf\xE9.htm", "/cgi/\xFF", "False", DefaultMedia, "Envoy\xE9", "\x80"}
        << QByteArrayList{"Button", "\xC3\x28", "\xFF\xFE", "R\xE9sum\xE9", "", "", "", "\xC0\xAF"};
}

void TestWebFormFile::roundTrip()
{
    QFETCH(QByteArrayList, props);
    QFETCH(QByteArrayList, cells);
    const QString file = m_dir.filePath(QTest::currentDataTag());
    QVERIFY(TestFiles::write(file, QByteArray(20000, 'z'))); // must be replaced entirely

    QCOMPARE(WriteWebFormFile(file, infoOf(props), *gridOf(cells)), QString());
    const QByteArray bytes = TestFiles::read(file);
    QCOMPARE(bytes, TestFiles::joined(props + cells + QByteArrayList{"[EOF]"}));

    const WebFormReadResult read = ReadWebFormFile(file);
    QVERIFY(read.opened);
    QVERIFY(read.contents.reachedEndLine);
    QCOMPARE(propsOf(read.contents.properties), props);
    QCOMPARE(cellsOf(read.contents.rows), cells);

    ItemGrid reloaded;
    FillGrid(reloaded, read.contents.rows);
    QCOMPARE(reloaded.rows(), int(cells.size()) / ItemColumnCount + 1);
    QCOMPARE(FormatWebFormFile(read.contents.properties, reloaded), bytes);
}

// The words True and False in any letter case and numbers (0 is False) are read; anything
// else means POST.
void TestWebFormFile::methodLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("get");
    for (const char *get : {"True", "true", "TRUE", "-1", "1", "2.5"})
        QTest::addRow("\"%s\"", get) << QByteArray(get) << true;
    for (const char *post : {"False", "FALSE", "0", "0.0", "", "garbage", "Yes", "GET", "Truely",
                             "NaN", "inf", "Infinity"})
        QTest::addRow("\"%s\"", post) << QByteArray(post) << false;
}

void TestWebFormFile::methodLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, get);
    const WebFormFileContents read =
        ParseWebFormFile("o\r\nc\r\n" + line + "\r\nm\r\ns\r\nr\r\n[EOF]\r\n");
    QCOMPARE(read.properties.MethodGet, get);
    QCOMPARE(read.properties.MediaType, QByteArray("m"));
    QCOMPARE(read.properties.ResetText, QByteArray("r"));
    QVERIFY(read.reachedEndLine);
}

// "[EOF]" ends reading only where a new block would start; the physical end of the file
// ends it anywhere, keeping what was read, and what a short file does not say keeps the
// value of a new document. LF alone and CR alone end lines too.
void TestWebFormFile::readsUntilEndLineOrEndOfFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("props");
    QTest::addColumn<QByteArrayList>("cells");
    QTest::addColumn<bool>("reachedEndLine");

    const QByteArrayList props{"out.htm", "/cgi", "True", "text/plain", "Go", ""};
    const QByteArray head = TestFiles::joined(props);
    const QByteArrayList label{"Label", "", "", "Hello", "", "", "", ""};
    const QByteArray labelBlock = TestFiles::joined(label);
    const QByteArrayList cut{"out.htm", "/cg", "False", DefaultMedia, "Submit", "Reset"};
    const QByteArrayList image{"Image", "", "", "", "", "", "", ""};

    QTest::newRow("seventh line [EOF]")
        << head + "[EOF]\r\n" + labelBlock << props << EmptyRow << true;
    QTest::newRow("nothing after [EOF] is read")
        << head + labelBlock + "[EOF]\r\n" + TestFiles::joined(image) + "[EOF]\r\njunk" << props
        << label << true;
    QTest::newRow("[EOF] without a line end")
        << head + labelBlock + "[EOF]" << props << label << true;
    QTest::newRow("LF only") << TestFiles::joined(props + label + QByteArrayList{"[EOF]"}, "\n")
                             << props << label << true;
    QTest::newRow("CR only") << TestFiles::joined(props + label + QByteArrayList{"[EOF]"}, "\r")
                             << props << label << true;
    QTest::newRow("zero bytes") << QByteArray() << NewProps << EmptyRow << false;
    QTest::newRow("cut inside the properties")
        << QByteArray("out.htm\r\n/cg") << cut << EmptyRow << false;
    QTest::newRow("properties only") << head << props << EmptyRow << false;
    QTest::newRow("cut inside a block")
        << head + "Text Field\r\nemail\r\n"
        << props << QByteArrayList{"Text Field", "email", "", "", "", "", "", ""} << false;
    QTest::newRow("cut at a block boundary") << head + labelBlock << props << label << false;
    QTest::newRow("cut after a Type line")
        << head + labelBlock + "Image" << props << label + image << false;
    QByteArray junk; // every byte value but the line ends: all of it is line 1
    for (int i = 0; i < 256 * 40; ++i) {
        if (i % 256 != '\r' && i % 256 != '\n')
            junk += char(i % 256);
    }
    QTest::newRow("binary junk without line ends")
        << junk << QByteArrayList{junk, "", "False", DefaultMedia, "Submit", "Reset"} << EmptyRow
        << false;
}

void TestWebFormFile::readsUntilEndLineOrEndOfFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, props);
    QFETCH(QByteArrayList, cells);
    QFETCH(bool, reachedEndLine);
    const QString file = m_dir.filePath(QTest::currentDataTag());
    QVERIFY(TestFiles::write(file, bytes));

    const WebFormReadResult read = ReadWebFormFile(file);
    QVERIFY(read.opened);
    QCOMPARE(propsOf(read.contents.properties), props);
    QCOMPARE(cellsOf(read.contents.rows), cells);
    QCOMPARE(read.contents.reachedEndLine, reachedEndLine);
}

// A failed write leaves what was in the way byte-identical and gives the system's reason
// for the message.
void TestWebFormFile::writeFailureLeavesOldFile_data()
{
    QTest::addColumn<bool>("targetIsDirectory");
    QTest::newRow("parent is a regular file") << false;
    QTest::newRow("target is a directory") << true;
}

void TestWebFormFile::writeFailureLeavesOldFile()
{
    QFETCH(bool, targetIsDirectory);
    QTemporaryDir dir;
    const QByteArray old = "old form\r\n\xE9\r\n[EOF]\r\n";
    const auto obstacle = TestFiles::placeObstacle(dir.path(), targetIsDirectory, old);
    QVERIFY(!obstacle.survivor.isEmpty());
    const QStringList before = TestFiles::filesIn(dir.path());

    const QString reason = WriteWebFormFile(obstacle.target, newInfo(), ItemGrid());
    QVERIFY(!reason.isEmpty());
    QCOMPARE(TestFiles::read(obstacle.survivor), old);
    QCOMPARE(TestFiles::filesIn(dir.path()), before);
    QCOMPARE(SaveFailedMessage(obstacle.target, reason),
             "Unable to save the file [" + obstacle.target + "].\r\n" + reason);
}

QTEST_GUILESS_MAIN(TestWebFormFile)
#include "tst_webformfile.moc"
