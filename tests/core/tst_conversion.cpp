// Tests of ConvertToHtml and ConvertDocument: new pages, merging between the marker lines
// of an existing page with every other byte kept, refusals that leave the page alone, and
// failed writes.
#include "Conversion.h"
#include "TestDocument.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace TestDocument;

namespace {

const QByteArray ShortStart = "<!-- FORM_START_CMD -->";
const QByteArray ShortEnd = "<!-- FORM_END_CMD -->";
const QString LocationMessage = QStringLiteral(
    "The output file already exists but the form location cannot be determined.\r\n"
    "Please select a new form location ('Select Form Position' on the 'File' menu).");

// The document converted throughout: a label and a text field, with its block written out
// by hand from the generator's templates.
std::unique_ptr<ItemGrid> orderGrid()
{
    return gridOf({"Label", "", "", "Order form", "", "", "", "", //
                   "Text Field", "fullname", "", "Your name:", "30", "", "40", ""});
}

WebFormInfo orderInfo()
{
    WebFormInfo info = newInfo();
    info.CGIFile = "/cgi-bin/order.pl";
    info.SubmitText = "Send";
    info.ResetText = "Clear";
    return info;
}

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

Outcome convert(const QString &file, bool silent)
{
    return ConvertToHtml(*orderGrid(), orderInfo(), file, silent);
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void newPage_data();
    void newPage();
    void mergeWorkedExampleAndRemerge();
    void mergeKeepsTheRestOfThePage_data();
    void mergeKeepsTheRestOfThePage();
    void refusalLeavesPageAlone_data();
    void refusalLeavesPageAlone();
    void previewAlwaysWritesNewPage_data();
    void previewAlwaysWritesNewPage();
    void failedWriteLeavesOldFile_data();
    void failedWriteLeavesOldFile();
    void convertDocument();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Without an output file both modes write the seven page lines around the block, which
// starts on line 6; only the command reports success.
void TestConversion::newPage_data()
{
    QTest::addColumn<bool>("silent");
    QTest::newRow("convert") << false;
    QTest::newRow("preview") << true;
}

void TestConversion::newPage()
{
    QFETCH(bool, silent);
    const QString file = path("page.htm");
    const Outcome outcome = convert(file, silent);
    QCOMPARE(outcome.result, Outcome::Written);
    QCOMPARE(outcome.message,
             silent ? QString() : "Form successfully written to file [" + file + "].");
    QCOMPARE(outcome.icon, silent ? MessageIcon::None : MessageIcon::Information);
    QCOMPARE(TestFiles::read(file), NewPage);
}

// The short markers placed after line 3 make way for the block; the next conversion finds
// the full markers and replaces exactly that range.
void TestConversion::mergeWorkedExampleAndRemerge()
{
    const QByteArrayList head{"<HTML>", "<BODY>", "<H1>Orders</H1>"};
    const QByteArrayList tail{"<P>Thank you.</P>", "</BODY>", "</HTML>"};
    const QString file = path("orders.htm");
    QVERIFY(TestFiles::write(
        file, TestFiles::joined(head + QByteArrayList{ShortStart, ShortEnd} + tail)));

    QVERIFY(convert(file, false).ok());
    const QByteArray merged = TestFiles::read(file);
    QCOMPARE(merged, TestFiles::joined(head + Block + tail));
    QVERIFY(convert(file, false).ok());
    QCOMPARE(TestFiles::read(file), merged);

    // A changed document replaces the old block; it is not added to it.
    const auto grid = orderGrid();
    grid->removeRow(2);
    WebFormInfo info = orderInfo();
    info.SubmitText.clear();
    info.ResetText.clear();
    QVERIFY(ConvertToHtml(*grid, info, file, false).ok());
    QCOMPARE(TestFiles::read(file),
             TestFiles::joined(head + Block.mid(0, 3) + Block.mid(7) + tail));
}

// Whatever surrounds the block comes back byte for byte, only with CR LF line ends.
void TestConversion::mergeKeepsTheRestOfThePage_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArrayList>("before");
    QTest::addColumn<QByteArrayList>("after");

    const QByteArrayList html{"<HTML>", "<BODY>"};
    const QByteArrayList end{"</BODY>", "</HTML>"};
    const QByteArrayList page = html + QByteArrayList{ShortStart, ShortEnd} + end;
    QTest::newRow("LF only") << TestFiles::joined(page, "\n") << html << end;
    QTest::newRow("CR only") << TestFiles::joined(page, "\r") << html << end;
    QTest::newRow("mixed, no final line end")
        << "<HTML>\r\n<BODY>\n" + ShortStart + "\r" + ShortEnd + "\r\n<P>end</P>" << html
        << QByteArrayList{"<P>end</P>"};
    QTest::newRow("8-bit bytes, NUL, blanks")
        << QByteArrayLiteral("caf\xE9 \r\n\xFF\x80\0x\r\n\r\n") + ShortStart + "\r\nold\r\n" +
               ShortEnd + "\r\n\xC3\x28 \t\r\n"
        << QByteArrayList{"caf\xE9 ", QByteArrayLiteral("\xFF\x80\0x"), ""}
        << QByteArrayList{"\xC3\x28 \t"};
    QTest::newRow("keywords in other text, lower case")
        << QByteArray(
               "<HTML>\r\n<P>a <!-- form_start_cmd --> b</P>\r\nold\r\n<P>Form_End_Cmd</P>\r\n")
        << QByteArrayList{"<HTML>"} << QByteArrayList{};
    QTest::newRow("two blocks: the first is replaced")
        << TestFiles::joined({"<HTML>", ShortStart, ShortEnd, "<HR>", ShortStart, "2", ShortEnd})
        << QByteArrayList{"<HTML>"} << QByteArrayList{"<HR>", ShortStart, "2", ShortEnd};
}

void TestConversion::mergeKeepsTheRestOfThePage()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArrayList, before);
    QFETCH(QByteArrayList, after);
    const QString file = path("page.htm");
    QVERIFY(TestFiles::write(file, page));
    QCOMPARE(convert(file, false).result, Outcome::Written);
    QCOMPARE(TestFiles::read(file), TestFiles::joined(before + Block + after));
}

// A page without a usable marker pair, or of zero bytes, is refused and not written.
void TestConversion::refusalLeavesPageAlone_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("readError");

    QTest::newRow("no markers") << QByteArray("<HTML>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n")
                                << false;
    QTest::newRow("start on line 1") << TestFiles::joined({ShortStart, ShortEnd}, "\n") << false;
    QTest::newRow("start on line 1 in other text")
        << "<HTML><!-- form_start_cmd -->\r\n<BODY>\r\n" + ShortEnd << false;
    QTest::newRow("only a start") << TestFiles::joined({"<HTML>", ShortStart, "</HTML>"}) << false;
    QTest::newRow("only an end") << TestFiles::joined({"<HTML>", ShortEnd, "</HTML>"}) << false;
    QTest::newRow("end above start")
        << TestFiles::joined({"<HTML>", ShortEnd, ShortStart}, "\r") << false;
    QTest::newRow("both on one line")
        << TestFiles::joined({"<HTML>", "<!-- FORM_START_CMD FORM_END_CMD -->"}) << false;
    QTest::newRow("first end above start, another below")
        << TestFiles::joined({"<HTML>", ShortEnd, ShortStart, ShortEnd}) << false;
    QTest::newRow("zero bytes") << QByteArray() << true;
}

void TestConversion::refusalLeavesPageAlone()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, readError);
    const QString file = path("page.htm");
    QVERIFY(TestFiles::write(file, page));

    const Outcome outcome = convert(file, false);
    QCOMPARE(outcome.result, readError ? Outcome::Failed : Outcome::Refused);
    QCOMPARE(outcome.icon, MessageIcon::Critical);
    QCOMPARE(outcome.message, readError ? "Unable to read the file [" + file +
                                              "].\r\nLOAD: File does not exist or is zero bytes"
                                        : LocationMessage);
    QCOMPARE(TestFiles::read(file), page);
    QCOMPARE(TestFiles::filesIn(m_dir->path()), QStringList{"page.htm"});
}

// The preview never merges: whatever the file held becomes a new page, silently.
void TestConversion::previewAlwaysWritesNewPage_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::newRow("page with markers")
        << TestFiles::joined({"<HTML>", "<BODY>", ShortStart, ShortEnd, "<P>kept?</P>"});
    QTest::newRow("page without markers") << QByteArray("<HTML>\r\n</HTML>\r\n");
    QTest::newRow("zero bytes") << QByteArray();
}

void TestConversion::previewAlwaysWritesNewPage()
{
    QFETCH(QByteArray, old);
    const QString file = path("WFM1234.htm");
    QVERIFY(TestFiles::write(file, old));
    const Outcome outcome = convert(file, true);
    QCOMPARE(outcome.result, Outcome::Written);
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(TestFiles::read(file), NewPage);
}

// A write that fails leaves whatever was in the way untouched. The command names the file
// and gives the reason; the preview stays silent. A folder where the page should be cannot
// even be read for merging.
void TestConversion::failedWriteLeavesOldFile_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("targetIsDirectory");
    QTest::addColumn<QString>("messageStart");

    QTest::newRow("parent is a file")
        << false << false << "Unable to write to the output file [%1].\r\nSAVE: ";
    QTest::newRow("parent is a file, preview") << true << false << QString();
    QTest::newRow("target is a directory") << false << true << "Conversion operation failed.\r\n";
    QTest::newRow("target is a directory, preview") << true << true << QString();
}

void TestConversion::failedWriteLeavesOldFile()
{
    QFETCH(bool, silent);
    QFETCH(bool, targetIsDirectory);
    QFETCH(QString, messageStart);
    const QByteArray old = TestFiles::joined({"<HTML>", ShortStart, ShortEnd, "\xE9"}, "\n");
    const auto obstacle = TestFiles::placeObstacle(m_dir->path(), targetIsDirectory, old);
    QVERIFY(!obstacle.survivor.isEmpty());
    const QStringList before = TestFiles::filesIn(m_dir->path());

    const Outcome outcome = convert(obstacle.target, silent);
    QCOMPARE(outcome.result, Outcome::Failed);
    if (messageStart.isEmpty()) {
        QVERIFY(outcome.message.isEmpty());
    } else {
        const QString start = messageStart.arg(obstacle.target);
        QVERIFY2(outcome.message.startsWith(start), qPrintable(outcome.message));
        QVERIFY2(outcome.message.size() > start.size(), "the reason is missing");
        QCOMPARE(outcome.icon, MessageIcon::Critical);
    }
    QCOMPARE(TestFiles::read(obstacle.survivor), old);
    QCOMPARE(TestFiles::filesIn(m_dir->path()), before);
}

// The Convert command refuses an empty output file before touching anything, and
// otherwise converts into the document's own output file.
void TestConversion::convertDocument()
{
    WebFormInfo info = orderInfo();
    Outcome outcome = ConvertDocument(*orderGrid(), info);
    QCOMPARE(outcome.result, Outcome::Refused);
    QCOMPARE(outcome.icon, MessageIcon::Exclamation);
    QCOMPARE(outcome.message,
             QStringLiteral("Please specify an output file ('Properties' on the 'File' menu)."));
    QVERIFY(QDir(m_dir->path()).isEmpty());

    const QString file = path(QStringLiteral("caf\u00e9.htm"));
    info.OutputFile = QFile::encodeName(file);
    outcome = ConvertDocument(*orderGrid(), info);
    QCOMPARE(outcome.message, "Form successfully written to file [" + file + "].");
    QCOMPARE(TestFiles::read(file), NewPage);
}

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
