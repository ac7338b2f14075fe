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
    // A missing or empty file sets the load error and keeps the lines, creating nothing; a
    // load that reads clears it. An empty buffer or an empty name is not saved. A line
    // written drops one final LF, then one final CR; the list box gets the lines added; an
    // empty list is refused.
    void bufferRules()
    {
        QVERIFY(TestFiles::write(path("empty.htm"), "") && TestFiles::write(path("page.htm"), "x"));
        TextFile buffer = bufferOf({"keep"});
        for (const char *name : {"empty.htm", "missing.htm", "page.htm"}) {
            buffer.Load(path(name));
            const bool read = qstrcmp(name, "page.htm") == 0;
            QCOMPARE(buffer.ErrorNum, read ? 0 : TextFile::ErrLoadNothing);
            QCOMPARE(buffer.ErrorMsg, read ? "" : "LOAD: File does not exist or is zero bytes");
            QCOMPARE(linesOf(buffer), QByteArrayList{read ? "x" : "keep"});
        }
        QVERIFY(!QFile::exists(path("missing.htm")));
        buffer.Save(QString());
        QCOMPARE(buffer.ErrorNum, TextFile::ErrSaveNoName);
        QCOMPARE(buffer.ErrorMsg, "SAVE: No file specified");
        TextFile empty;
        empty.Save(path("page.htm"));
        QCOMPARE(empty.ErrorNum, TextFile::ErrSaveNothing);
        QCOMPARE(empty.ErrorMsg, "SAVE: There is nothing to save");
        QCOMPARE(TestFiles::read(path("page.htm")), QByteArray("x"));

        buffer.setTextLine(1, "a\r\n\r\n");
        QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.FromListbox({}));
        QByteArrayList box{"already there"};
        buffer.ToListbox(box);
        QCOMPARE(box, (QByteArrayList{"already there", "a\r\n"}));
    }

    // What Save does with what is in the way: a page keeps its mode (0444 too: the folder
    // decides), owner and group; a link stays a link to the replaced page; names of 255 bytes
    // or not UTF-8 are written and read back as those bytes; a folder or a name holding a NUL
    // is refused for writing and reading and left alone; no temporary file stays.
    void saveTargets_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("kind");  // what is there before: page, link, folder
        QTest::addColumn<int>("mode");      // of the page (through the link)
        QTest::addColumn<QString>("error"); // after "SAVE: "; empty when saved
        QTest::newRow("0444 page") << QByteArray("page.htm") << "page" << 0444 << QString();
        QTest::newRow("symbolic link") << QByteArray("link.htm") << "link" << 0640 << QString();
        QTest::newRow("255-byte name, saved again") << QByteArray(251, 'n') + ".htm"
                                                    << "page" << 0644 << QString();
        QTest::newRow("not UTF-8") << QByteArray("caf\xE9.htm") << "page" << 0604 << QString();
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
        QVERIFY(kind != "folder" || mkdir(target.constData(), 0755) == 0);
        const QStringList before = TestFiles::filesIn(dir.path()); // and no temporary file after
        struct stat old = {}, info = {}, link = {};
        QCOMPARE(stat(target.constData(), &old), 0);

        TextFile buffer = bufferOf({"new"});
        buffer.Save(target);
        QVERIFY(stat(target.constData(), &info) == 0 && lstat(target.constData(), &link) == 0);
        QCOMPARE(TestFiles::filesIn(dir.path()), before);
        // The kind of file, its permission bits, owner and group stay; so does a link.
        QVERIFY(info.st_mode == old.st_mode && info.st_uid == old.st_uid &&
                info.st_gid == old.st_gid);
        QCOMPARE(S_ISLNK(link.st_mode), kind == "link");
        QCOMPARE(buffer.ErrorNum, error.isEmpty() ? 0 : TextFile::ErrSaveFailed);
        QCOMPARE(buffer.ErrorMsg, error.isEmpty() ? QString() : "SAVE: " + error);
        if (!error.isEmpty()) {
            QVERIFY(kind != "page" || TestFiles::readNative(page) == "old\n");
            QVERIFY_THROWS_EXCEPTION(TextFileError, buffer.Load(target)); // never read either
            return;
        }
        QCOMPARE(TestFiles::readNative(target), QByteArray("new\r\n"));
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
        QTest::newRow("first of two, mixed case") << page << QByteArray("form_END_cmd") << 4;
        QTest::newRow("underscore last, long line")
            << QByteArrayList{"x", "padding of more than sixteen bytes FORM_START_CMD and more"}
            << QByteArray("form_start_") << 2;
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
    // loaded bytes), which keeps its lines.
    void findFirst()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(QByteArray, search);
        QFETCH(qint32, found);
        QCOMPARE(bufferOf(lines).FindFirst(search), found);

        QByteArray bytes;
        for (int i = 0; i < lines.size(); ++i)
            bytes += lines.at(i) + QByteArrayList{"\r\n", "\n", "\r"}.at(i % 3);
        QVERIFY(TestFiles::write(path("page.htm"), bytes));
        TextFile loaded;
        loaded.Load(path("page.htm"));
        QCOMPARE(loaded.FindFirst(search), found);
        QCOMPARE(linesOf(loaded), lines);
    }

    // A page loads as lines at every kind of line end (LF CR is two), every other byte kept,
    // and saves with CR LF in chunks of 32768 bytes, a CR LF across byte 32768 and a line
    // over three chunks included. Random edits (insertion blocks, removals, appends,
    // rewrites) leave the same lines as on a plain list, however often the gap grows, and
    // save exactly. Inserting advances the line number past the new line; removing includes
    // both ends. Outside the lines reading gives nothing and every edit throws.
    void editsMatchPlainListAcrossGapGrowth()
    {
        const QByteArray fill(32765, 'x'), longLine(70000, 'q');
        QByteArrayList expected{"", fill,      longLine, " a \t", QByteArrayLiteral("\x80\0\xFF"),
                                "", "\xC3\x28"};
        QByteArray start = "\r\n" + fill + "\r\n" + longLine +
                           QByteArrayLiteral("\r\n a \t\n\x80\0\xFF\n\r\xC3\x28\r");
        for (int i = 1; i <= 6000; ++i) {
            expected << "line " + QByteArray::number(i) + QByteArray(i % 13, '-');
            start += expected.last() + (i == 6000      ? ""
                                        : i % 500 == 0 ? "\n"
                                        : i % 777 == 0 ? "\r"
                                                       : "\r\n");
        }
        QVERIFY(TestFiles::write(path("start.txt"), start));
        TextFile buffer;
        buffer.Load(path("start.txt"));
        QCOMPARE(linesOf(buffer), expected);
        buffer.Save(path("loaded.txt"));
        QCOMPARE(TestFiles::read(path("loaded.txt")), TestFiles::joined(expected));
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
            case 2: // any negative number appends and stays
                line = -1 - round;
                buffer.InsertLine(line, text);
                QCOMPARE(line, -1 - round);
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
