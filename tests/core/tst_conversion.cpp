// Tests of ConvertToHtml and ConvertDocument: new pages, merges, refusals, failed writes.
#include "Conversion.h"
#include "TestDocument.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace TestDocument;
using namespace OrderForm;
using TestFiles::joined;

static Outcome convert(const QString &file, bool silent)
{
    return ConvertToHtml(*gridOf(Cells), infoOf(Props), file, silent);
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

    // Both modes write a new page where there is none, the preview also over whatever is
    // there; only the command reports.
    void newPage_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QByteArray>("old"); // null: no such file
        QTest::newRow("convert") << false << QByteArray();
        QTest::newRow("preview over a page with markers")
            << true << joined({"<HTML>", "<BODY>", ShortStart, ShortEnd, "<P>kept?</P>"});
    }
    void newPage()
    {
        QFETCH(bool, silent);
        QFETCH(QByteArray, old);
        const QString file = path("page.htm");
        QVERIFY(old.isNull() || TestFiles::write(file, old));
        const Outcome outcome = convert(file, silent);
        QCOMPARE(outcome.result, Outcome::Written);
        QCOMPARE(outcome.message,
                 silent ? QString() : "Form successfully written to file [" + file + "].");
        QCOMPARE(outcome.icon, silent ? MessageIcon::None : MessageIcon::Information);
        QCOMPARE(TestFiles::read(file), NewPage);
    }

    // The block replaces the short markers; converting again replaces exactly that block.
    void mergeWorkedExampleAndRemerge()
    {
        const QByteArrayList head{"<HTML>", "<BODY>", "<H1>Orders</H1>"};
        const QByteArrayList tail{"<P>Thank you.</P>", "</BODY>", "</HTML>"};
        const QString file = path("orders.htm");
        QVERIFY(TestFiles::write(file, joined(head + QByteArrayList{ShortStart, ShortEnd} + tail)));
        QVERIFY(convert(file, false).ok());
        const QByteArray merged = TestFiles::read(file);
        QCOMPARE(merged, joined(head + Block + tail));
        QVERIFY(convert(file, false).ok());
        QCOMPARE(TestFiles::read(file), merged);
    }

    // Whatever surrounds the block comes back byte for byte, only with CR LF line ends.
    void mergeKeepsTheRestOfThePage_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArrayList>("before");
        QTest::addColumn<QByteArrayList>("after");
        QTest::newRow("8-bit bytes, NUL, blanks, mixed line ends, no final one")
            << QByteArrayLiteral("caf\xE9 \r\n\xFF\x80\0x\n\r\n") + ShortStart + "\rold\n" +
                   ShortEnd + "\r\n\xC3\x28 \t"
            << QByteArrayList{"caf\xE9 ", QByteArrayLiteral("\xFF\x80\0x"), ""}
            << QByteArrayList{"\xC3\x28 \t"};
        QTest::newRow("keywords in other text, lower case")
            << QByteArray("<HTML>\r\n<P>a <!-- form_start_cmd --> b</P>\r\nold\r\n"
                          "<P>Form_End_Cmd</P>\r\n")
            << QByteArrayList{"<HTML>"} << QByteArrayList{};
        QTest::newRow("two blocks: the first is replaced")
            << joined({"<HTML>", ShortStart, ShortEnd, "<HR>", ShortStart, "2", ShortEnd})
            << QByteArrayList{"<HTML>"} << QByteArrayList{"<HR>", ShortStart, "2", ShortEnd};
    }
    void mergeKeepsTheRestOfThePage()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArrayList, before);
        QFETCH(QByteArrayList, after);
        QVERIFY(TestFiles::write(path("page.htm"), page));
        QCOMPARE(convert(path("page.htm"), false).result, Outcome::Written);
        QCOMPARE(TestFiles::read(path("page.htm")), joined(before + Block + after));
    }

    // A page without a usable marker pair, or of zero bytes, is refused and not written.
    void refusalLeavesPageAlone_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("no markers") << QByteArray("<HTML>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n");
        QTest::newRow("start on line 1") << joined({ShortStart, ShortEnd}, "\n");
        QTest::newRow("only a start") << joined({"<HTML>", ShortStart, "</HTML>"});
        QTest::newRow("only an end") << joined({"<HTML>", ShortEnd, "</HTML>"});
        QTest::newRow("end above start") << joined({"<HTML>", ShortEnd, ShortStart}, "\r");
        QTest::newRow("both on one line")
            << joined({"<HTML>", "<!-- FORM_START_CMD FORM_END_CMD -->"});
        QTest::newRow("first end above start, another below")
            << joined({"<HTML>", ShortEnd, ShortStart, ShortEnd});
        QTest::newRow("zero bytes") << QByteArray("");
    }
    void refusalLeavesPageAlone()
    {
        QFETCH(QByteArray, page);
        const QString file = path("page.htm");
        QVERIFY(TestFiles::write(file, page));
        const Outcome outcome = convert(file, false);
        QCOMPARE(outcome.result, page.isEmpty() ? Outcome::Failed : Outcome::Refused);
        QCOMPARE(outcome.icon, MessageIcon::Critical);
        QCOMPARE(outcome.message,
                 page.isEmpty()
                     ? "Unable to read the file [" + file +
                           "].\r\nLOAD: File does not exist or is zero bytes"
                     : QStringLiteral("The output file already exists but the form location "
                                      "cannot be determined.\r\nPlease select a new form location "
                                      "('Select Form Position' on the 'File' menu)."));
        QCOMPARE(TestFiles::read(file), page);
        QCOMPARE(TestFiles::filesIn(m_dir->path()), QStringList{"page.htm"});
    }

    // A failed write leaves what was in the way untouched; the command names the file and
    // the reason (a folder cannot even be read for merging), the preview stays silent.
    void failedWriteLeavesOldFile_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("targetIsDirectory");
        QTest::addColumn<QString>("start"); // of the message
        QTest::newRow("parent is a file")
            << false << false << "Unable to write to the output file [%1].\r\nSAVE: ";
        QTest::newRow("target is a directory")
            << false << true << "Unable to read the file [%1].\r\nLOAD: ";
        QTest::newRow("preview") << true << false << QString();
    }
    void failedWriteLeavesOldFile()
    {
        QFETCH(bool, silent);
        QFETCH(bool, targetIsDirectory);
        QFETCH(QString, start);
        const QByteArray old = joined({"<HTML>", ShortStart, ShortEnd, "\xE9"}, "\n");
        QString survivor;
        const QString target =
            TestFiles::placeObstacle(m_dir->path(), targetIsDirectory, old, survivor);
        QVERIFY(!target.isEmpty());
        const QStringList before = TestFiles::filesIn(m_dir->path());

        const Outcome outcome = convert(target, silent);
        QCOMPARE(outcome.result, Outcome::Failed);
        start.replace("%1", target);
        QVERIFY2(outcome.message.startsWith(start), qPrintable(outcome.message));
        QCOMPARE(outcome.message.size() > start.size(), !silent); // the reason follows
        QCOMPARE(TestFiles::read(survivor), old);
        QCOMPARE(TestFiles::filesIn(m_dir->path()), before);
    }

    // The Convert command refuses an empty output file, else converts into the document's.
    void convertDocument()
    {
        WebFormInfo info = infoOf(Props);
        Outcome outcome = ConvertDocument(*gridOf(Cells), info);
        QCOMPARE(outcome.result, Outcome::Refused);
        QCOMPARE(outcome.icon, MessageIcon::Exclamation);
        QCOMPARE(outcome.message, QStringLiteral("Please specify an output file ('Properties' on "
                                                 "the 'File' menu)."));
        QVERIFY(QDir(m_dir->path()).isEmpty());

        const QString file = path(QStringLiteral("caf\u00e9.htm"));
        info.OutputFile = QFile::encodeName(file);
        outcome = ConvertDocument(*gridOf(Cells), info);
        QCOMPARE(outcome.message, "Form successfully written to file [" + file + "].");
        QCOMPARE(TestFiles::read(file), NewPage);
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
