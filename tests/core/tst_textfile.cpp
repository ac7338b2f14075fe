// Tests of TextFile, the line buffer every HTML page passes through.
#include "TestFiles.h"
#include "TextFile.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

static QByteArrayList linesOf(const TextFile &buffer)
{
    QByteArrayList lines;
    for (qint32 i = 1; i <= buffer.LineCount(); ++i)
        lines << buffer.TextLine(i);
    return lines;
}

static TextFile bufferOf(const QByteArrayList &lines)
{
    TextFile buffer;
    buffer.FromListbox(lines);
    return buffer;
}

class TestTextFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // Every kind of line end splits lines; saving writes each line back with CR LF, in
    // chunks of 32768 bytes: a CR LF straddling byte 32768 must come out as in a small file.
    void loadAndSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList{"a", "b"};
        QTest::newRow("CR alone") << QByteArray("a\rb\r") << QByteArrayList{"a", "b"};
        QTest::newRow("LF alone") << QByteArray("a\nb\n") << QByteArrayList{"a", "b"};
        QTest::newRow("LF CR: two line ends")
            << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << QByteArrayList{"a", "b"};
        QTest::newRow("CR LF alone") << QByteArray("\r\n") << QByteArrayList{""};
        QTest::newRow("blanks, 8-bit bytes and NUL")
            << QByteArrayLiteral(" a \t\r\n\x80\0\xFF\n\xC3\x28")
            << QByteArrayList{" a \t", QByteArrayLiteral("\x80\0\xFF"), "\xC3\x28"};
        const QByteArray fill(32767, 'x'), longLine(70000, 'q');
        QTest::newRow("CR at 32767, LF at 32768; a line over three chunks")
            << fill + "\r\n" + longLine + "\r\ntail" << QByteArrayList{fill, longLine, "tail"};
    }
    void loadAndSave()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArrayList, lines);
        QVERIFY(TestFiles::write(path("in.txt"), bytes));
        TextFile buffer;
        buffer.Load(path("in.txt"));
        QCOMPARE(buffer.ErrorNum, 0);
        QCOMPARE(linesOf(buffer), lines);
        buffer.Save(path("out.txt"));
        QCOMPARE(buffer.ErrorNum, 0);
        QCOMPARE(TestFiles::read(path("out.txt")), TestFiles::joined(lines));
    }

    // Each error code (a failed Save: saveTargets); a failed Load keeps the lines, and
    // success clears the error.
    void errorCodes()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath("page.htm");
        QVERIFY(TestFiles::write(page, "old\r\npage \xE9\n") &&
                TestFiles::write(dir.filePath("empty.htm"), ""));
        const auto status = [](const TextFile &buffer) {
            return QString::number(buffer.ErrorNum) + ' ' + buffer.ErrorMsg;
        };
        TextFile buffer = bufferOf({"keep"});
        for (const char *name : {"empty.htm", "missing.htm"}) {
            buffer.Load(dir.filePath(name));
            QCOMPARE(status(buffer), "-2147221503 LOAD: File does not exist or is zero bytes");
            QCOMPARE(linesOf(buffer), QByteArrayList{"keep"});
        }
        buffer.Load(page);
        QCOMPARE(status(buffer), "0 ");
        QCOMPARE(linesOf(buffer), (QByteArrayList{"old", "page \xE9"}));
        TextFile empty;
        empty.Save(page);
        QCOMPARE(status(empty), "-2147221502 SAVE: There is nothing to save");
        buffer.Save(QString());
        QCOMPARE(status(buffer), "-2147221501 SAVE: No file specified");
        QCOMPARE(TestFiles::read(page), QByteArray("old\r\npage \xE9\n"));
        buffer.FromListbox({"new"}); // shorter than the old file: nothing of that may remain
        buffer.Save(page);
        QCOMPARE(status(buffer), "0 ");
        QCOMPARE(TestFiles::read(page), QByteArray("new\r\n"));
    }

    // What Save does with what is in the way: a page keeps its permission bits (0444 too:
    // the folder decides, as for any program that replaces a file) and, saved by root, its
    // owner and group; a symbolic link stays
    // a link and the page it points to is replaced; a name of 255 bytes and one that is not
    // UTF-8 are written and read back under exactly those bytes; a FIFO, a folder and a
    // name holding a NUL are refused, for writing and reading, and left as they were; no
    // temporary file stays.
    void saveTargets_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("kind");  // what is there before: page, link, fifo, folder
        QTest::addColumn<int>("mode");      // of the page (through the link)
        QTest::addColumn<QString>("error"); // after "SAVE: "; empty when saved
        QTest::newRow("0600 page") << QByteArray("page.htm") << "page" << 0600 << QString();
        QTest::newRow("0444 page") << QByteArray("page.htm") << "page" << 0444 << QString();
        QTest::newRow("symbolic link") << QByteArray("link.htm") << "link" << 0640 << QString();
        QTest::newRow("255-byte name, saved again") << QByteArray(251, 'n') + ".htm"
                                                    << "page" << 0644 << QString();
        QTest::newRow("not UTF-8") << QByteArray("caf\xE9.htm") << "page" << 0604 << QString();
        QTest::newRow("FIFO") << QByteArray("fifo.htm") << "fifo" << 0 << "Not a regular file";
        QTest::newRow("folder") << QByteArray("dir.htm") << "folder" << 0 << "Is a directory";
        QTest::newRow("NUL in the name: not cut to a page's name")
            << QByteArray("page.htm\0.bak", 13) << "page" << 0600
            << "The file name contains a NUL byte";
    }
    void saveTargets()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, kind);
        QFETCH(int, mode);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/";
        const QByteArray target = folder + name, page = folder + (kind == "link" ? "real" : name);
        if (kind == "page" || kind == "link") {
            std::FILE *stream = std::fopen(page.constData(), "wb");
            QVERIFY(stream && std::fputs("old\n", stream) >= 0 && std::fclose(stream) == 0);
            QCOMPARE(chmod(page.constData(), mode_t(mode)), 0);
            QVERIFY(geteuid() != 0 || chown(page.constData(), 4321, 4322) == 0); // not root's
        }
        QVERIFY(kind != "link" || symlink("real", target.constData()) == 0);
        QVERIFY(kind != "fifo" || mkfifo(target.constData(), 0644) == 0);
        QVERIFY(kind != "folder" || mkdir(target.constData(), 0755) == 0);
        const auto entries = [&dir] { // a temporary file left behind would show
            return QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();

        TextFile buffer = bufferOf({"new"});
        buffer.Save(target);
        struct stat info = {}, link = {};
        QVERIFY(stat(target.constData(), &info) == 0 && lstat(target.constData(), &link) == 0);
        QCOMPARE(entries(), before);
        if (!error.isEmpty()) {
            QCOMPARE(buffer.ErrorNum, qint32(-2147221500));
            QCOMPARE(buffer.ErrorMsg, "SAVE: " + error);
            QVERIFY(kind != "fifo" || S_ISFIFO(info.st_mode));
            QVERIFY(kind != "folder" || S_ISDIR(info.st_mode));
            QVERIFY(kind != "page" || TestFiles::readNative(page) == "old\n");
            QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.Load(target)); // never read either
            return;
        }
        QCOMPARE(buffer.ErrorMsg, QString());
        QCOMPARE(TestFiles::readNative(target), QByteArray("new\r\n"));
        QCOMPARE(S_ISLNK(link.st_mode), kind == "link");
        QCOMPARE(int(info.st_mode & 07777), mode);
        QVERIFY(geteuid() != 0 || (info.st_uid == 4321 && info.st_gid == 4322));
        buffer.ResetFile("other");
        buffer.Load(target);
        QCOMPARE(linesOf(buffer), QByteArrayList{"new"});
        QCOMPARE(unlink(target.constData()), 0); // QTemporaryDir cannot, for a non-UTF-8 name
    }

    // Searching ignores ASCII letter case only; bytes above 127 match exactly.
    void findFirst_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QByteArray>("search");
        QTest::addColumn<qint32>("found");
        const QByteArrayList page{"<HTML>", "<!-- form_start_cmd -->", "<P>x</P>",
                                  "<!-- Form_End_Cmd -->", "<!-- FORM_END_CMD -->"};
        QTest::newRow("upper finds lower") << page << QByteArray("FORM_START_CMD") << 2;
        QTest::newRow("first of two, mixed case") << page << QByteArray("form_END_cmd") << 4;
        QTest::newRow("underscore last, long line")
            << QByteArrayList{"x", "padding of more than sixteen bytes FORM_START_CMD and more"}
            << QByteArray("form_start_") << 2;
        QTest::newRow("8-bit upper is not lower")
            << QByteArrayList{"\xC9T\xC9"} << QByteArray("\xE9t\xE9") << 0;
        QTest::newRow("8-bit bytes exact, ASCII folded")
            << QByteArrayList{"\xE9t\xE9", "\xFF\xC9T\xC9"} << QByteArray("\xC9t\xC9") << 2;
        // Only A-Z fold: Z is a letter, its neighbours '@' '[' '`' '{' are not; each at the
        // start of a long line (where many places are tested at once) and in a short one.
        const QByteArray pad(20, '.');
        QTest::newRow("Z in the text, z searched")
            << QByteArrayList{"@[", "xZy" + pad, "xZy"} << QByteArray("xzy") << 2;
        QTest::newRow("z in the text, Z searched")
            << QByteArrayList{"z" + pad, "z"} << QByteArray("Z") << 1;
        for (const char *pair : {"[{", "{[", "@`", "`@"}) {
            const QByteArray text(1, pair[0]);
            QTest::addRow("%c is not %c", pair[0], pair[1])
                << QByteArrayList{text + pad, text} << QByteArray(1, pair[1]) << 0;
        }
        QTest::newRow("empty text: the first line")
            << QByteArrayList{"a", "b"} << QByteArray() << 1;
        QTest::newRow("last of many lines")
            << QByteArrayList(299, "line") + QByteArrayList{"line 300"} << QByteArray("LINE 300")
            << 300;
    }
    // Searched in a buffer filled line by line and in one just loaded (searched in the
    // loaded bytes); neither changes.
    void findFirst()
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

    // A line written drops one final LF and then one final CR; a far negative number
    // appends and stays; the list box gets the lines added; an empty list is refused.
    // (Edits outside the buffer: editsMatchPlainListAcrossGapGrowth.)
    void lineEditing()
    {
        TextFile buffer = bufferOf({"one", "two", "three"});
        const QList<QByteArrayList> cases{
            {"a\r\n", "a"}, {"a\n\r", "a\n"}, {"a\r\n\r\n", "a\r\n"}, {"a\rb ", "a\rb "}};
        for (const QByteArrayList &c : cases) {
            buffer.setTextLine(2, c.at(0));
            QCOMPARE(linesOf(buffer), (QByteArrayList{"one", c.at(1), "three"}));
        }
        qint32 farNegative = -77;
        buffer.InsertLine(farNegative, "end");
        QCOMPARE(farNegative, -77);
        QByteArrayList box{"already there"};
        buffer.ToListbox(box);
        QCOMPARE(box, (QByteArrayList{"already there", "one", "a\rb ", "three", "end"}));
        buffer.FromListbox({"x", "\xE9"});
        QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.FromListbox({}));
        QCOMPARE(linesOf(buffer), (QByteArrayList{"x", "\xE9"}));
    }

    // Random edits on a loaded 100 kB page (insertion blocks, removals, appends, rewrites)
    // leave the same lines as on a plain list, however often the gap grows, and save them
    // exactly; untouched stretches of CR LF lines are longer than a write chunk. Inserting
    // advances the line number past the new line; removing includes both ends. Outside
    // the lines reading gives nothing and every edit throws, changing nothing.
    void editsMatchPlainListAcrossGapGrowth()
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
        for (int round = 0; round < 400; ++round) {
            const qint32 count = qint32(expected.size());
            const QByteArray text = "edit " + QByteArray::number(round);
            qint32 line = qint32(random.bounded(count)) + 1;
            switch (random.bounded(5)) {
            case 0: { // a block of insertions, as the generator writes one
                qint32 at = line;
                for (int i = random.bounded(1, 120); i > 0; --i) {
                    buffer.InsertLine(line, text + "." + QByteArray::number(i));
                    expected.insert(at++, text + "." + QByteArray::number(i));
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
            case 3:
                buffer.setTextLine(line, text);
                expected[line - 1] = text;
                break;
            default: { // just outside the lines, or 0
                const qint32 outside = random.bounded(2) ? count + 1 : 0;
                line = outside;
                QCOMPARE(buffer.TextLine(outside) + buffer.TextLine(-1), QByteArray());
                QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.setTextLine(outside, text));
                QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.InsertLine(line, text));
                QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.RemoveLines(outside, outside));
                QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.RemoveLines(count, count + 1));
                QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.RemoveLines(count, count - 1));
                QCOMPARE(line, outside);
            }
            }
            QCOMPARE(buffer.LineCount(), qint32(expected.size()));
        }
        QCOMPARE(linesOf(buffer), expected);
        buffer.Save(path("end.txt"));
        QCOMPARE(TestFiles::read(path("end.txt")), TestFiles::joined(expected));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
