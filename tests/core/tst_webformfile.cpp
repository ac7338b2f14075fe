// Tests of the Web Form File (.wfm) reader and writer: exact bytes, round trips, bad files.
#include "TestDocument.h"
#include "TestFiles.h"
#include "WebFormFile.h"

#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace TestDocument;

static const QByteArray DefaultMedia = "application/x-www-form-urlencoded";
static const QByteArrayList NewProps{"", "", "False", DefaultMedia, "Submit", "Reset"};
static const QByteArrayList EmptyRow(ItemColumnCount, QByteArray(""));

class TestWebFormFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir; // each test uses its own file names in it

private slots:
    // Every value is one CR LF line and comes back byte for byte; so does the whole file.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArrayList>("props");
        QTest::addColumn<QByteArrayList>("cells");
        QTest::newRow("new document: 15 lines") << NewProps << EmptyRow;
        QTest::newRow("GET, blanks, empty cells, 8-bit and invalid UTF-8, unknown type")
            << QByteArrayList{" caf\xE9.htm ", "", "True", "multipart/form-data", "Go ", "\x80"}
            << QByteArrayList{"Text Field", " name ", "",       "R\xE9sum\xE9", "40", "\xC3\x28",
                              "60",         "\t",     "Button", "\xFF\xFE",     "",   "",
                              "",           "",       "",       "\xC0\xAF"};
        QTest::newRow("[EOF] and look-alikes as cell text")
            << NewProps << QByteArrayList{"Hidden Field", "[EOF]", "[EOF]", "", "", "", "", "[EOF]",
                                          "[eof]",        "a",     "",      "", "", "", "", "",
                                          "[EOF] ",       "b",     "",      "", "", "", "", ""};
    }
    void roundTrip()
    {
        QFETCH(QByteArrayList, props);
        QFETCH(QByteArrayList, cells);
        const QString file = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(TestFiles::write(file, QByteArray(20000, 'z'))); // must be replaced entirely
        QCOMPARE(WriteWebFormFile(file, infoOf(props), *gridOf(cells)), QString());
        const QByteArray bytes = TestFiles::read(file);
        QCOMPARE(bytes, TestFiles::joined(props + cells + QByteArrayList{"[EOF]"}));

        const WebFormReadResult read = ReadWebFormFile(file);
        QVERIFY(read.opened && read.contents.reachedEndLine);
        QCOMPARE(propsOf(read.contents.properties), props);
        QCOMPARE(cellsOf(read.contents.rows), cells);
        ItemGrid reloaded;
        FillGrid(reloaded, read.contents.rows);
        QCOMPARE(FormatWebFormFile(read.contents.properties, reloaded), bytes);
    }

    // "[EOF]" ends reading only where a block would start; the end of the bytes ends it
    // anywhere, keeping what was read, and what is missing keeps a new document's value.
    // Method line: True/False in any case and numbers (0 is False) mean GET, all else POST;
    // its rows are cut inside the properties.
    void readsUntilEndLineOrEndOfFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArrayList>("props");
        QTest::addColumn<QByteArrayList>("cells");
        QTest::addColumn<bool>("reachedEndLine");
        const QByteArrayList props{"out.htm", "/cgi", "True", "text/plain", "Go", ""};
        const QByteArrayList label{"Label", "", "", "Hello", "", "", "", ""};
        const QByteArray head = TestFiles::joined(props), labelBlock = TestFiles::joined(label);
        QTest::newRow("nothing after [EOF] is read") << head + labelBlock + "[EOF]\r\nImage\r\n"
                                                     << props << label << true;
        QTest::newRow("LF only") << TestFiles::joined(props + label + QByteArrayList{"[EOF]"}, "\n")
                                 << props << label << true;
        QTest::newRow("zero bytes") << QByteArray() << NewProps << EmptyRow << false;
        QTest::newRow("cut inside a block")
            << head + labelBlock + "Text Field\r\nemail" << props
            << label + QByteArrayList{"Text Field", "email", "", "", "", "", "", ""} << false;
        QByteArray junk; // every byte value but the line ends: all of it is line 1
        for (int i = 0; i < 256 * 40; ++i)
            junk += char(i % 256);
        junk.removeIf([](char c) { return c == '\r' || c == '\n'; });
        QTest::newRow("binary junk without line ends")
            << junk << QByteArrayList{junk, "", "False", DefaultMedia, "Submit", "Reset"}
            << EmptyRow << false;
        const QByteArrayList get{"TRUE", " true ", "-1", "2.5"};
        for (const QByteArray &line :
             get + QByteArrayList{"False", "0.0", "", "Yes", "GET", "NaN", "inf"})
            QTest::addRow("method line \"%s\"", line.constData())
                << "o\r\nc\r\n" + line
                << QByteArrayList{"o",          "c",      get.contains(line) ? "True" : "False",
                                  DefaultMedia, "Submit", "Reset"}
                << EmptyRow << false;
    }
    void readsUntilEndLineOrEndOfFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArrayList, props);
        QFETCH(QByteArrayList, cells);
        QFETCH(bool, reachedEndLine);
        const WebFormFileContents read = ParseWebFormFile(bytes);
        QCOMPARE(propsOf(read.properties), props);
        QCOMPARE(cellsOf(read.rows), cells);
        QCOMPARE(read.reachedEndLine, reachedEndLine);
    }

    // A form that is not a regular file is not read: the reason comes at once, where
    // /dev/zero would fill the memory (a FIFO is the converter test's). A form named by
    // bytes that are not UTF-8 is written and read under exactly that name.
    void readRefusesWhatIsNoFile()
    {
        const QList<std::pair<QByteArray, QString>> cases{
            {"/dev/zero", "Not a regular file"},
            {QFile::encodeName(m_dir.path()), "Is a directory"}};
        for (const auto &[name, reason] : cases)
            QCOMPARE(ReadWebFormFile(name).errorText, reason); // set only when not read
        const QByteArray latin1 = QFile::encodeName(m_dir.path()) + "/caf\xE9.wfm";
        QCOMPARE(WriteWebFormFile(latin1, newInfo(), ItemGrid()), QString());
        QVERIFY(ReadWebFormFile(latin1).opened);
        QCOMPARE(unlink(latin1.constData()), 0); // QTemporaryDir cannot remove it
    }
};

QTEST_GUILESS_MAIN(TestWebFormFile)
#include "tst_webformfile.moc"
