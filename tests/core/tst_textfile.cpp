// Tests of TextFile, the line buffer that every HTML page passes through: how files are
// split into lines, how lines are edited and searched, and how the buffer is written back.
#include "TestFiles.h"
#include "TextFile.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QByteArrayList linesOf(const TextFile &buffer)
{
    QByteArrayList lines;
    for (qint32 i = 1; i <= buffer.LineCount(); ++i)
        lines << buffer.TextLine(i);
    return lines;
}

TextFile bufferOf(const QByteArrayList &lines)
{
    TextFile buffer;
    buffer.FromListbox(lines);
    return buffer;
}

QByteArrayList numbered(int count)
{
    QByteArrayList lines;
    for (int i = 1; i <= count; ++i)
        lines << "line " + QByteArray::number(i);
    return lines;
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void loadSplitsAtEveryLineEnd_data();
    void loadSplitsAtEveryLineEnd();
    void loadAcrossChunkBoundaries_data();
    void loadAcrossChunkBoundaries();
    void loadNothing_data();
    void loadNothing();
    void saveRefusalsAndReplacement();
    void saveFailureLeavesOldFile_data();
    void saveFailureLeavesOldFile();
    void textLine_data();
    void textLine();
    void findFirst_data();
    void findFirst();
    void insertLine();
    void removeLines_data();
    void removeLines();
    void listbox();
    void editsMatchPlainListAcrossGapGrowth();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh folder for every test row
};

// Every kind of line end splits lines; saving writes each line back with CR LF.
void TestTextFile::loadSplitsAtEveryLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("lines");
    const QByteArrayList ab{"a", "b"};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << ab;
    QTest::newRow("CR LF, none at the end") << QByteArray("a\r\nb") << ab;
    QTest::newRow("CR alone") << QByteArray("a\rb\r") << ab;
    QTest::newRow("LF alone") << QByteArray("a\nb\n") << ab;
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("CR LF LF") << QByteArray("a\r\n\nb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\rc\nd") << QByteArrayList{"a", "b", "c", "d"};
    QTest::newRow("CR LF alone") << QByteArray("\r\n") << QByteArrayList{""};
    QTest::newRow("empty lines first") << QByteArray("\r\n\r\nx") << QByteArrayList{"", "", "x"};
    QTest::newRow("blanks kept") << QByteArray(" a \t\r\n b ") << QByteArrayList{" a \t", " b "};
    QTest::newRow("8-bit bytes and NUL")
        << QByteArrayLiteral("\xE9t\xE9\r\n\x80\0\xFF\r\n\xC3\x28")
        << QByteArrayList{"\xE9t\xE9", QByteArrayLiteral("\x80\0\xFF"), "\xC3\x28"};
}

void TestTextFile::loadSplitsAtEveryLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, lines);
    QVERIFY(TestFiles::write(path("in.txt"), bytes));

    TextFile buffer;
    buffer.Load(path("in.txt"));
    QCOMPARE(buffer.ErrorNum, 0);
    QCOMPARE(buffer.ErrorMsg, QString());
    QCOMPARE(linesOf(buffer), lines);
    buffer.Save(path("out.txt"));
    QCOMPARE(buffer.ErrorNum, 0);
    QCOMPARE(TestFiles::read(path("out.txt")), TestFiles::joined(lines));
}

// Files are read in pieces of 32768 bytes; a line or a CR LF pair that straddles a piece
// boundary must come out as if the file were small.
void TestTextFile::loadAcrossChunkBoundaries_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArrayList>("ends"); // the line end after each line

    const QByteArray fill(32767, 'x'); // its line end starts at byte 32767
    QTest::newRow("CR at 32767, LF at 32768")
        << QByteArrayList{fill, "second"} << QByteArrayList{"\r\n", ""};
    QTest::newRow("CR alone at 32767")
        << QByteArrayList{fill, "next"} << QByteArrayList{"\r", "\r"};
    QTest::newRow("LF at 32767, CR at 32768")
        << QByteArrayList{fill, "", "after"} << QByteArrayList{"\n", "\r", "\n"};
    QTest::newRow("one line over three pieces")
        << QByteArrayList{"head", QByteArray(70000, 'q'), "tail"}
        << QByteArrayList{"\r\n", "\r\n", ""};

    QByteArrayList many;
    QByteArrayList manyEnds;
    const QByteArrayList kinds{"\r\n", "\r", "\n"};
    for (int i = 0; i < 9000; ++i) { // about 90 kB, every kind of line end, every length
        many << "row " + QByteArray::number(i) + QByteArray(i % 23, '.');
        manyEnds << kinds.at(i % 3);
    }
    QTest::newRow("many short lines") << many << manyEnds;
}

void TestTextFile::loadAcrossChunkBoundaries()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArrayList, ends);
    QByteArray bytes;
    for (int i = 0; i < lines.size(); ++i)
        bytes += lines.at(i) + ends.at(i);
    QVERIFY(TestFiles::write(path("big.txt"), bytes));

    TextFile buffer;
    buffer.Load(path("big.txt"));
    QCOMPARE(buffer.LineCount(), qint32(lines.size()));
    QCOMPARE(linesOf(buffer), lines);
    buffer.Save(path("big.out"));
    QCOMPARE(TestFiles::read(path("big.out")), TestFiles::joined(lines));
}

// A zero-byte or missing file reports 0x80040001 and keeps what the buffer held; a missing
// file is not created. ResetFile leaves the error alone, a later good Load clears it.
void TestTextFile::loadNothing_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("zero-byte file") << true;
    QTest::newRow("missing file") << false;
}

void TestTextFile::loadNothing()
{
    QFETCH(bool, exists);
    const QString file = path("nothing.htm");
    if (exists)
        QVERIFY(TestFiles::write(file, QByteArray()));

    TextFile buffer = bufferOf({"keep", "me"});
    buffer.Load(file);
    QCOMPARE(buffer.ErrorNum, qint32(-2147221503));
    QCOMPARE(buffer.ErrorMsg, QStringLiteral("LOAD: File does not exist or is zero bytes"));
    QCOMPARE(linesOf(buffer), (QByteArrayList{"keep", "me"}));
    QCOMPARE(TestFiles::filesIn(m_dir->path()),
             exists ? QStringList{"nothing.htm"} : QStringList{});

    buffer.ResetFile("<HTML>");
    QCOMPARE(buffer.ErrorNum, qint32(-2147221503));
    QCOMPARE(linesOf(buffer), QByteArrayList{"<HTML>"});
    QVERIFY(TestFiles::write(path("good.htm"), "x\r\n"));
    buffer.Load(path("good.htm"));
    QCOMPARE(buffer.ErrorNum, 0);
    QVERIFY(buffer.ErrorMsg.isEmpty());
}

void TestTextFile::saveRefusalsAndReplacement()
{
    const QString file = path("old.htm");
    QVERIFY(TestFiles::write(file, QByteArray(5000, 'o')));

    TextFile empty;
    empty.Save(file);
    QCOMPARE(empty.ErrorNum, qint32(-2147221502));
    QCOMPARE(empty.ErrorMsg, QStringLiteral("SAVE: There is nothing to save"));
    QCOMPARE(TestFiles::read(file), QByteArray(5000, 'o'));

    TextFile buffer = bufferOf({"new"});
    buffer.Save(QString());
    QCOMPARE(buffer.ErrorNum, qint32(-2147221501));
    QCOMPARE(buffer.ErrorMsg, QStringLiteral("SAVE: No file specified"));

    // A good save clears the error and leaves nothing of the longer old file behind.
    buffer.Save(file);
    QCOMPARE(buffer.ErrorNum, 0);
    QVERIFY(buffer.ErrorMsg.isEmpty());
    QCOMPARE(TestFiles::read(file), QByteArray("new\r\n"));
}

// A save that cannot be written reports 0x80040004 with the system's reason and leaves
// whatever was in the way exactly as it was.
void TestTextFile::saveFailureLeavesOldFile_data()
{
    QTest::addColumn<bool>("targetIsDirectory");
    QTest::newRow("parent is a regular file") << false;
    QTest::newRow("target is a directory") << true;
}

void TestTextFile::saveFailureLeavesOldFile()
{
    QFETCH(bool, targetIsDirectory);
    const QByteArray old = "old\r\npage \xE9\n";
    const auto obstacle = TestFiles::placeObstacle(m_dir->path(), targetIsDirectory, old);
    QVERIFY(!obstacle.survivor.isEmpty());
    const QStringList before = TestFiles::filesIn(m_dir->path());

    TextFile buffer = bufferOf({"new"});
    buffer.Save(obstacle.target);
    QCOMPARE(buffer.ErrorNum, qint32(-2147221500));
    QVERIFY2(buffer.ErrorMsg.startsWith("SAVE: ") && buffer.ErrorMsg.size() > 6,
             qPrintable(buffer.ErrorMsg));
    QCOMPARE(TestFiles::read(obstacle.survivor), old);
    QCOMPARE(TestFiles::filesIn(m_dir->path()), before);
}

// Reading outside the buffer gives an empty line; writing there is refused. Writing drops
// one final LF and then one final CR, nothing more.
void TestTextFile::textLine_data()
{
    QTest::addColumn<QByteArray>("textin");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("CR LF") << QByteArray("a\r\n") << QByteArray("a");
    QTest::newRow("LF") << QByteArray("a\n") << QByteArray("a");
    QTest::newRow("CR") << QByteArray("a\r") << QByteArray("a");
    QTest::newRow("LF CR loses only the CR") << QByteArray("a\n\r") << QByteArray("a\n");
    QTest::newRow("two CR LF") << QByteArray("a\r\n\r\n") << QByteArray("a\r\n");
    QTest::newRow("inner CR and blank kept") << QByteArray("a\rb ") << QByteArray("a\rb ");
}

void TestTextFile::textLine()
{
    QFETCH(QByteArray, textin);
    QFETCH(QByteArray, stored);
    TextFile buffer = bufferOf({"one", "two", "three"});
    for (qint32 outside : {0, 4, -1})
        QCOMPARE(buffer.TextLine(outside), QByteArray());
    QCOMPARE(TextFile().TextLine(1), QByteArray());
    QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.setTextLine(0, "x"));
    QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.setTextLine(4, "x"));

    buffer.setTextLine(2, textin);
    QCOMPARE(linesOf(buffer), (QByteArrayList{"one", stored, "three"}));
}

// Searching ignores ASCII letter case only; bytes above 127 match exactly, and no line is
// changed by a search.
void TestTextFile::findFirst_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArray>("search");
    QTest::addColumn<qint32>("found");

    const QByteArrayList page{"<HTML>",
                              "<BODY>",
                              "<!-- form_start_cmd -->",
                              "<P>x</P>",
                              "<!-- Form_End_Cmd -->",
                              "<!-- FORM_END_CMD -->"};
    QTest::newRow("upper finds lower") << page << QByteArray("FORM_START_CMD") << 3;
    QTest::newRow("first of two, mixed case") << page << QByteArray("form_END_cmd") << 5;
    QTest::newRow("absent") << page << QByteArray("FORM_MIDDLE") << 0;
    QTest::newRow("punctuation at both ends, long line")
        << QByteArrayList{"<HTML>", "<!-- a long comment before the marker: <FORM_START_CMD> -->"}
        << QByteArray("<form_start_cmd>") << 2;
    QTest::newRow("underscore last, long line")
        << QByteArrayList{"x", "padding of more than sixteen bytes FORM_START_CMD and more text "
                               "after it"}
        << QByteArray("form_start_") << 2;
    QTest::newRow("after 8-bit bytes")
        << QByteArrayList{"\xFF\xFE", "\xC9\xFF<!-- FORM_START_CMD -->"}
        << QByteArray("form_start_cmd") << 2;
    QTest::newRow("8-bit upper is not lower")
        << QByteArrayList{"\xC9T\xC9"} << QByteArray("\xE9t\xE9") << 0;
    QTest::newRow("8-bit bytes exact, ASCII folded")
        << QByteArrayList{"\xE9t\xE9", "\xC9T\xC9"} << QByteArray("\xC9t\xC9") << 2;
    QTest::newRow("last of many lines") << numbered(300) << QByteArray("LINE 300") << 300;
}

// Each case is searched in a buffer filled line by line and in one just loaded from a
// file with mixed line ends, which may be searched in the loaded bytes.
void TestTextFile::findFirst()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArray, search);
    QFETCH(qint32, found);
    TextFile filled = bufferOf(lines);
    QCOMPARE(filled.FindFirst(search), found);
    QCOMPARE(linesOf(filled), lines);

    QByteArray bytes;
    for (int i = 0; i < lines.size(); ++i)
        bytes += lines.at(i) + QByteArrayList{"\r\n", "\n", "\r"}.at(i % 3);
    QVERIFY(TestFiles::write(path("page.htm"), bytes));
    TextFile loaded;
    loaded.Load(path("page.htm"));
    QCOMPARE(loaded.FindFirst(search), found);
    QCOMPARE(linesOf(loaded), lines);
}

void TestTextFile::insertLine()
{
    TextFile buffer;
    buffer.ResetFile("<HTML>");
    qint32 line = 1;
    for (const char *text : {"<HEAD>", "<TITLE>", "</HEAD>", "<BODY>"})
        buffer.InsertLine(line, text);
    QCOMPARE(line, 5);
    QCOMPARE(linesOf(buffer), (QByteArrayList{"<HTML>", "<HEAD>", "<TITLE>", "</HEAD>", "<BODY>"}));

    // In the middle the new lines follow each other; a negative line appends and keeps
    // its value.
    line = 2;
    buffer.InsertLine(line, "x");
    buffer.InsertLine(line, "y");
    QCOMPARE(line, 4);
    qint32 append = -1;
    qint32 farNegative = -77;
    buffer.InsertLine(append, "end 1");
    buffer.InsertLine(farNegative, "end 2");
    QCOMPARE(append, -1);
    QCOMPARE(farNegative, -77);
    const QByteArrayList expected{"<HTML>",  "<HEAD>", "x",     "y",    "<TITLE>",
                                  "</HEAD>", "<BODY>", "end 1", "end 2"};
    QCOMPARE(linesOf(buffer), expected);

    // No insertion before line 1 and none after a line that does not exist.
    for (qint32 bad : {0, 10, 1000}) {
        line = bad;
        QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.InsertLine(line, "new"));
        QCOMPARE(line, bad);
    }
    line = 1;
    QVERIFY_THROWS_EXCEPTION(TextFileError, TextFile().InsertLine(line, "new"));
    QCOMPARE(linesOf(buffer), expected);
}

void TestTextFile::removeLines_data()
{
    QTest::addColumn<qint32>("first");
    QTest::addColumn<qint32>("last");
    QTest::addColumn<bool>("valid");
    QTest::newRow("3 to 5") << 3 << 5 << true;
    QTest::newRow("first line") << 1 << 1 << true;
    QTest::newRow("last line") << 10 << 10 << true;
    QTest::newRow("all but the last") << 1 << 9 << true;
    QTest::newRow("start 0") << 0 << 2 << false;
    QTest::newRow("end past the buffer") << 3 << 11 << false;
    QTest::newRow("end before start") << 5 << 4 << false;
}

void TestTextFile::removeLines()
{
    QFETCH(qint32, first);
    QFETCH(qint32, last);
    QFETCH(bool, valid);
    TextFile buffer = bufferOf(numbered(10));
    QByteArrayList expected = numbered(10);
    if (valid) {
        buffer.RemoveLines(first, last);
        expected.remove(first - 1, last - first + 1);
    } else {
        QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.RemoveLines(first, last));
    }
    QCOMPARE(buffer.LineCount(), qint32(expected.size()));
    QCOMPARE(linesOf(buffer), expected);
}

void TestTextFile::listbox()
{
    QVERIFY(TestFiles::write(path("in.htm"), "one\r\n\xE9\r\n\r\nfour"));
    TextFile buffer;
    buffer.Load(path("in.htm"));
    QByteArrayList box{"already there"};
    buffer.ToListbox(box);
    QCOMPARE(box, (QByteArrayList{"already there", "one", "\xE9", "", "four"}));

    buffer.FromListbox({"x", "y"});
    QCOMPARE(linesOf(buffer), (QByteArrayList{"x", "y"}));
    QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.FromListbox({}));
    QCOMPARE(linesOf(buffer), (QByteArrayList{"x", "y"}));
}

// A long run of edits on a loaded page (blocks of insertions at an advancing position,
// removals, appends, rewrites) must leave the same lines as the same edits on a plain
// list, however often the buffer grows, and save them exactly. The page is about 100 kB,
// mostly CR LF with other line ends between, so that untouched stretches of it are longer
// than a write chunk.
void TestTextFile::editsMatchPlainListAcrossGapGrowth()
{
    QByteArrayList expected;
    QByteArray start;
    for (int i = 1; i <= 6000; ++i) {
        expected << "line " + QByteArray::number(i) + QByteArray(i % 13, '-');
        start += expected.last() + (i % 500 == 0 ? "\n" : i % 777 == 0 ? "\r" : "\r\n");
    }
    QVERIFY(TestFiles::write(path("start.txt"), start));
    TextFile buffer;
    buffer.Load(path("start.txt"));
    buffer.setTextLine(2, "marker"); // a search right after the first edit must see it
    expected[1] = "marker";
    QCOMPARE(buffer.FindFirst("MARKER"), 2);

    QRandomGenerator random(20240611); // fixed seed: the same edits on every run
    int serial = 0;
    for (int round = 0; round < 400; ++round) {
        const qint32 count = qint32(expected.size());
        const QByteArray text = "edit " + QByteArray::number(++serial);
        qint32 line = qint32(random.bounded(count)) + 1;
        switch (random.bounded(4)) {
        case 0: { // a block of insertions, as the generator writes one
            qint32 at = line;
            for (int i = random.bounded(1, 120); i > 0; --i) {
                const QByteArray inserted = text + "." + QByteArray::number(i);
                buffer.InsertLine(line, inserted);
                expected.insert(at++, inserted);
            }
            QCOMPARE(line, at);
            break;
        }
        case 1: { // a removal, keeping at least one line
            const qint32 last = qMin(count - 1, line + qint32(random.bounded(40)));
            if (line <= last) {
                buffer.RemoveLines(line, last);
                expected.remove(line - 1, last - line + 1);
            }
            break;
        }
        case 2:
            line = -1;
            buffer.InsertLine(line, text);
            expected.append(text);
            break;
        default:
            buffer.setTextLine(line, text);
            expected[line - 1] = text;
            break;
        }
        QCOMPARE(buffer.LineCount(), qint32(expected.size()));
    }
    QCOMPARE(linesOf(buffer), expected);
    buffer.Save(path("end.txt"));
    QCOMPARE(TestFiles::read(path("end.txt")), TestFiles::joined(expected));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
