// The form position command: the page's lines offered for choosing, the short marker
// lines inserted after the chosen line and the removal of an earlier block.
#include "GuiTestSupport.h"

#include "PositionMarkers.h"
#include "TestFiles.h"
#include "output/frmFileViewer.h"

using namespace GuiTest;

class tst_Position : public FrameTest
{
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { closeFrame(m_frame); }

    // The command from a document's File menu, or ("frame") from the frame's with no document
    // open; "-" cancels its file question. A block written earlier is removed only when the
    // user agrees ("yes"/"no"), and its lines are not offered; a start marker on line 1 does
    // not count as such a block. The other steps answer the dialog, which a refused OK keeps
    // open. A null page stands for a folder; a message is its icon's letter and its text.
    void markersFollowTheChosenLine_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("listed"); // 0: no dialog expected
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("shown");
        const auto lines = [](int from, int to) {
            const QByteArrayList all{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
            return TestFiles::joined(all.mid(from - 1, to - from + 1));
        };
        const QByteArray markers = OrderForm::ShortStart + "\r\n" + OrderForm::ShortEnd + "\r\n";
        const QByteArray block = TestFiles::joined(
            {OrderForm::Block.constFirst(), "<FORM>", "</FORM>", OrderForm::Block.constLast()});
        const QString set = QStringLiteral("I Form position set in file [%1].");
        const QString remove = "Q " + RemoveBlockQuestion();
        const QString refusal = "E Please select the line after which the form is to go.";
        const QString unreadable = QStringLiteral("C Unable to read the file [%1].\r\nLOAD: ");
        const QByteArray page = lines(1, 10), earlier = lines(1, 2) + block + lines(3, 4);
        QTest::newRow("no selection is refused")
            << page << "cmdOK 4 cmdOK" << 10 << lines(1, 4) + markers + lines(5, 10)
            << QStringList{refusal, set};
        QTest::newRow("from the frame, start marker on line 1, last line")
            << block + page << "frame 14 cmdOK" << 14 << block + page + markers << QStringList{set};
        QTest::newRow("file question cancelled") << page << "-" << 0 << page << QStringList();
        QTest::newRow("earlier block kept")
            << earlier << "no" << 0 << earlier << QStringList{remove};
        QTest::newRow("earlier block removed, OK refused, cancelled")
            << earlier << "yes cmdOK 2 cmdCancel" << 4 << earlier << QStringList{remove, refusal};
        QTest::newRow("earlier block removed")
            << earlier << "yes 3 cmdOK" << 4 << lines(1, 3) + markers + lines(4, 4)
            << QStringList{remove, set};
        QTest::newRow("empty page")
            << QByteArray("") << "" << 0 << QByteArray()
            << QStringList{unreadable + "File does not exist or is zero bytes"};
        QTest::newRow("folder") << QByteArray() << "" << 0 << QByteArray()
                                << QStringList{unreadable + "Is a directory"};
    }
    void markersFollowTheChosenLine()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, answers);
        QFETCH(int, listed);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, shown);
        const QString file = page.isNull() ? m_dir.path() : path("page.htm");
        QVERIFY(page.isNull() || TestFiles::write(file, page));
        QStringList steps = answers.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool fromFrame = steps.removeAll(QStringLiteral("frame")) > 0;
        if (fromFrame) {
            m_form->mnuFileClose_Click();
            QTRY_COMPARE(openForms(*m_frame).size(), 0);
        }
        Prompter::queueAnswer(steps.removeAll(QStringLiteral("-")) > 0 ? QString() : file);
        if (steps.value(0) == "yes" || steps.value(0) == "no")
            Prompter::queueAnswer(steps.takeFirst() == "yes" ? QMessageBox::Yes : QMessageBox::No);
        if (!steps.isEmpty())
            whenModal<frmFileViewer>([steps, listed](frmFileViewer *viewer) {
                QCOMPARE(viewer->lstViewer->count(), listed);
                for (const QString &step : steps) {
                    QVERIFY(viewer->isVisible()); // a refused OK left it open
                    doSteps(viewer, step);
                }
            });
        QObject *menus = fromFrame ? static_cast<QObject *>(m_frame.get()) : m_form;
        QVERIFY(triggerAction(menus, QStringLiteral("mnuFileSelectPos")));
        QCOMPARE(Prompter::pendingAnswers(), 0);
        QCOMPARE(page.isNull() ? QByteArray() : TestFiles::read(file), expected);
        QStringList messages;
        for (const Prompter::Shown &message : Prompter::shown())
            messages << QChar::fromLatin1("-CEQI"[int(message.icon)]) + (' ' + message.text);
        QCOMPARE(messages, shown.replaceInStrings(QStringLiteral("%1"), file));
    }
};

QTEST_MAIN(tst_Position)
#include "tst_position.moc"
