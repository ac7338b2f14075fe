// Tests of ConvertToHtml, ConvertDocument and the form position's marker lines: new pages,
// merges, refusals, and every write path of the program through every point a write fails.
#include "Conversion.h"
#include "PositionMarkers.h"
#include "SafeFile.h"
#include "TestDocument.h"
#include "TestFiles.h"
#include "WebFormFile.h"

#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestDocument;
using namespace OrderForm;
using TestFiles::joined;

static Outcome convert(const NativePath &file, bool silent)
{
    return ConvertToHtml(*gridOf(Cells), infoOf(Props), file, silent);
}

// The ways the program writes a file.
enum WritePath { WriteNewPage, WriteMerge, WritePreview, WritePosition, WriteWebForm };

// What a write path finds where it writes: nothing for a new page, else a page over 64 KiB
// with markers in its middle, so that writing it takes several chunks, or a form.
static QByteArray oldBytes(WritePath path)
{
    const QByteArray half = joined(QByteArrayList(1000, "<P>A paragraph, long enough.</P>"));
    return path == WriteNewPage   ? QByteArray()
           : path == WriteWebForm ? wfm("old.htm")
                                  : "<HTML>\r\n" + half + joined({ShortStart, ShortEnd}) + half;
}

// Runs `path` into `file`: whether it wrote, and the message it shows.
static std::pair<bool, QString> write(WritePath path, const QString &file)
{
    if (path == WriteWebForm) {
        const QString reason = WriteWebFormFile(file, infoOf(Props), *gridOf(Cells));
        return {reason.isEmpty(), reason.isEmpty() ? QString() : SaveFailedMessage(file, reason)};
    }
    const Outcome outcome = path == WritePosition ? PlacePositionMarkers(file, 1, true)
                                                  : convert(file, path == WritePreview);
    return {outcome.ok(), outcome.message};
}

// The message of each write path when its write of %1 fails for the reason %2.
static const char *const FailureMessages[] = {
    "Unable to write to the output file [%1].\r\nSAVE: %2",
    "Unable to write to the output file [%1].\r\nSAVE: %2",
    "", // the preview shows nothing
    "Unable to set form position in file [%1].\r\nSAVE: %2", "Unable to save the file [%1].\r\n%2"};

// The permission bits of `file`, or -1 when there is none.
static int modeOf(const QString &file)
{
    struct stat info;
    return stat(QFile::encodeName(file).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

class TestConversion : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Both modes write a new page where there is none, the preview over anything; only the
    // command reports. The block replaces the markers, all around it kept byte for byte but
    // for CR LF line ends; converting again replaces that block. A page without a usable
    // marker pair, or of zero bytes, is refused and not written.
    void convertPage_data()
    {
        QTest::addColumn<QByteArray>("page"); // null: no such file
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QByteArray>("after"); // null: refused, the page left alone
        QTest::newRow("new page") << QByteArray() << false << NewPage;
        QTest::newRow("preview over a page with markers")
            << joined({"<HTML>", "<BODY>", ShortStart, ShortEnd, "<P>kept?</P>"}) << true
            << NewPage;
        const QByteArrayList head{"<HTML>", "<H1>Orders</H1>"};
        QTest::newRow("short markers") << joined(head + QByteArrayList{ShortStart, ShortEnd, "<P>"})
                                       << false << joined(head + Block + QByteArrayList{"<P>"});
        QTest::newRow("8-bit bytes, NUL, blanks, mixed line ends, no final one")
            << QByteArrayLiteral("caf\xE9 \r\n\xFF\x80\0x\n\r\n") + ShortStart + "\rold\n" +
                   ShortEnd + "\r\n\xC3\x28 \t"
            << false
            << joined(QByteArrayList{"caf\xE9 ", QByteArrayLiteral("\xFF\x80\0x"), ""} + Block +
                      QByteArrayList{"\xC3\x28 \t"});
        QTest::newRow("keywords in other text, lower case")
            << QByteArray("<HTML>\r\n<P>a <!-- form_start_cmd --> b</P>\r\nold\r\n"
                          "<P>Form_End_Cmd</P>\r\n")
            << false << joined(QByteArrayList{"<HTML>"} + Block);
        const QByteArrayList second{"<HR>", ShortStart, "2", ShortEnd};
        QTest::newRow("two blocks: the first is replaced")
            << joined(QByteArrayList{"<HTML>", ShortStart, ShortEnd} + second) << false
            << joined(QByteArrayList{"<HTML>"} + Block + second);
        const auto refused = [](const char *name, const QByteArray &page) {
            QTest::newRow(name) << page << false << QByteArray();
        };
        refused("no markers", "<HTML>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n");
        refused("start on line 1", joined({ShortStart, ShortEnd}, "\n"));
        refused("only a start", joined({"<HTML>", ShortStart, "</HTML>"}));
        refused("only an end", joined({"<HTML>", ShortEnd, "</HTML>"}));
        refused("end above start", joined({"<HTML>", ShortEnd, ShortStart}, "\r"));
        refused("both on one line", joined({"<HTML>", "<!-- FORM_START_CMD FORM_END_CMD -->"}));
        refused("first end above start, another below",
                joined({"<HTML>", ShortEnd, ShortStart, ShortEnd}));
        refused("zero bytes", "");
    }
    void convertPage()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, silent);
        QFETCH(QByteArray, after);
        const QString file = path("page.htm");
        QVERIFY(page.isNull() || TestFiles::write(file, page));
        // The second run of a refused page has a full disk: the refusal still comes first,
        // though the merge writes while it looks for the markers.
        for (int run = 0; run < 2; ++run) {
            if (run == 1 && after.isNull())
                SafeFile::setNextFault({WriteFault::AtByte, 0, ENOSPC});
            const Outcome outcome = convert(file, silent);
            SafeFile::setNextFault(WriteFault()); // a page of zero bytes opens no new file
            QCOMPARE(outcome.result, !after.isNull()  ? Outcome::Written
                                     : page.isEmpty() ? Outcome::Failed
                                                      : Outcome::Refused);
            const QString start = !after.isNull() ? "Form successfully written to file [" + file
                                  : page.isEmpty()
                                      ? "Unable to read the file [" + file + "].\r\nLOAD: "
                                      : "The output file already exists but";
            QVERIFY2(silent ? outcome.message.isEmpty() : outcome.message.startsWith(start),
                     qPrintable(outcome.message));
            QCOMPARE(outcome.icon, silent           ? MessageIcon::None
                                   : after.isNull() ? MessageIcon::Critical
                                                    : MessageIcon::Information);
            QCOMPARE(TestFiles::read(file), after.isNull() ? page : after);
            QCOMPARE(TestFiles::filesIn(m_dir->path()), QStringList{"page.htm"});
        }
    }

    // Each write path meets each failure of a real write: the first byte (a full disk), the
    // last byte (a file-size limit: what a buffered writer loses), the sync (a broken disk),
    // the rename (a read-only folder). Each reports the system's reason, leaves the old
    // file's bytes and mode and no temporary file, and then succeeds.
    void everyWritePathFailsSafely_data()
    {
        QTest::addColumn<int>("path");
        QTest::addColumn<int>("point");
        QTest::addColumn<bool>("lastByte"); // else the first
        QTest::addColumn<int>("error");
        const char *names[] = {"new page", "merge", "preview", "form position", ".wfm save"};
        for (int path = WriteNewPage; path <= WriteWebForm; ++path) {
            QTest::addRow("%s, first byte", names[path])
                << path << int(WriteFault::AtByte) << false << ENOSPC;
            QTest::addRow("%s, last byte", names[path])
                << path << int(WriteFault::AtByte) << true << EFBIG;
            QTest::addRow("%s, sync", names[path])
                << path << int(WriteFault::AtFlush) << false << EIO;
            QTest::addRow("%s, rename", names[path])
                << path << int(WriteFault::AtRename) << false << EROFS;
        }
    }
    void everyWritePathFailsSafely()
    {
        QFETCH(int, path);
        QFETCH(int, point);
        QFETCH(bool, lastByte);
        QFETCH(int, error);
        const WritePath writePath = WritePath(path);
        const QByteArray old = oldBytes(writePath);
        qint64 byte = 0;
        if (lastByte) { // how long the written file is, from a run into another one
            QVERIFY(old.isNull() || TestFiles::write(this->path("dry"), old));
            QVERIFY(write(writePath, this->path("dry")).first);
            byte = QFileInfo(this->path("dry")).size() - 1;
            QVERIFY(QFile::remove(this->path("dry")));
        }
        const QString file = this->path("target");
        QVERIFY(old.isNull() ||
                (TestFiles::write(file, old) && chmod(qPrintable(file), 0640) == 0));
        const QStringList before = TestFiles::filesIn(m_dir->path());

        SafeFile::setNextFault({WriteFault::Point(point), byte, error});
        const auto [written, message] = write(writePath, file);
        QVERIFY(!written);
        const QString shown = FailureMessages[path];
        QCOMPARE(message, shown.isEmpty() ? shown : shown.arg(file, strerror(error)));
        QCOMPARE(TestFiles::read(file), old);
        QCOMPARE(modeOf(file), old.isNull() ? -1 : 0640);
        QCOMPARE(TestFiles::filesIn(m_dir->path()), before);

        QVERIFY(write(writePath, file).first);
        const mode_t mask = umask(0);
        umask(mask);
        QCOMPARE(modeOf(file), old.isNull() ? int(0666 & ~mask) : 0640);
    }

    // The short markers go after the given line (the last one included), in place of an
    // earlier block only when asked; lines past the end and pages of more than 200,000
    // lines (for the position window too) are refused and left alone.
    void positionMarkers_data()
    {
        QTest::addColumn<QByteArrayList>("page");
        QTest::addColumn<qint64>("line");
        QTest::addColumn<bool>("removeExisting");
        QTest::addColumn<QByteArrayList>("after"); // empty: refused with `message`
        QTest::addColumn<QString>("message");      // how a refusal starts
        const auto row = [](const char *name, const QByteArrayList &page, qint64 line,
                            bool removeExisting, const QByteArrayList &after,
                            const QString &message = {}) {
            QTest::newRow(name) << page << line << removeExisting << after << message;
        };
        const QByteArrayList abc{"a", "b", "c"}, marked{"a", ShortStart, "x", ShortEnd, "b"};
        const QByteArrayList markers{ShortStart, ShortEnd}, most(MaxPositionLines, "x");
        row("after line 2", abc, 2, false, {"a", "b", ShortStart, ShortEnd, "c"});
        row("after the last line", abc, 3, false, abc + markers);
        row("past the last line", abc, 4, false, {},
            "Line 4 is outside the file, which has 3 lines.");
        row("block kept", marked, 1, false, {}, RemoveBlockQuestion());
        row("block removed, before it", marked, 1, true, {"a", ShortStart, ShortEnd, "b"});
        row("block removed, after it", marked, 2, true, {"a", "b", ShortStart, ShortEnd});
        row("past the last line once the block is gone", marked, 3, true, {}, "Line 3 is outside");
        row("200,000 lines", most, MaxPositionLines, false, most + markers);
        row("200,001 lines", most + QByteArrayList{"x"}, 1, false, {},
            "The file [page.htm] has 200001 lines, too many");
    }
    void positionMarkers()
    {
        QFETCH(QByteArrayList, page);
        QFETCH(qint64, line);
        QFETCH(bool, removeExisting);
        QFETCH(QByteArrayList, after);
        QFETCH(QString, message);
        QVERIFY(TestFiles::write(path("page.htm"), joined(page)));
        QVERIFY(QDir::setCurrent(m_dir->path())); // messages name the page as given
        const NativePath name(QByteArray("page.htm"));
        TextFile loaded;
        QCOMPARE(LoadPositionPage(loaded, name).ok(), page.size() <= MaxPositionLines);
        const Outcome outcome = PlacePositionMarkers(name, line, removeExisting);
        QVERIFY2(outcome.message.startsWith(message), qPrintable(outcome.message));
        QCOMPARE(outcome.ok(), !after.isEmpty());
        QCOMPARE(TestFiles::read(path("page.htm")), joined(after.isEmpty() ? page : after));
    }

    // The Convert command refuses an empty output file, else converts into the document's.
    void convertDocument()
    {
        WebFormInfo info = infoOf(Props);
        const Outcome outcome = ConvertDocument(*gridOf(Cells), info);
        QCOMPARE(outcome.result, Outcome::Refused);
        QCOMPARE(outcome.icon, MessageIcon::Exclamation);
        QVERIFY(outcome.message.startsWith("Please specify an output file"));
        QVERIFY(QDir(m_dir->path()).isEmpty());

        // An output file named in the form by bytes that are not UTF-8: written, then
        // merged into, under exactly that name.
        info.OutputFile = QFile::encodeName(m_dir->path()) + "/caf\xE9.htm";
        QVERIFY(ConvertDocument(*gridOf(Cells), info).ok());
        QVERIFY(ConvertDocument(*gridOf(Cells), info).ok());
        QCOMPARE(TestFiles::readNative(info.OutputFile), NewPage);
        QVERIFY(!QFile::exists(QFile::decodeName(info.OutputFile))); // no look-alike
        QCOMPARE(unlink(info.OutputFile.constData()), 0);            // QTemporaryDir cannot
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
