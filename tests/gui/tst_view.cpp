// View options and the preview: preview files, the viewer toggle, the placeholder row and
// the marked cell, column widths, the highlight colour, help and About.
#include "GuiTestSupport.h"

#include "app/HelpWindow.h"
#include "app/ViewState.h"
#include "editor/ItemGridView.h"

#include <QHeaderView>
#include <QTextBrowser>
#include <QWebEngineView>

using namespace GuiTest;

namespace {

QStringList previewFiles()
{
    return QDir(QDir::tempPath()).entryList({QStringLiteral("WFM*")}, QDir::Files, QDir::Name);
}

void addLabel(frmWebForm *form, const QByteArray &text)
{
    ItemGrid &grid = form->grid();
    grid.addRow(grid.rows(), "Label");
    grid.setText(grid.rows() - 1, ColLabel, text);
}

} // namespace

class tst_View : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmDesign> m_frame;
    frmWebForm *m_form = nullptr;

private slots:
    void init()
    {
        resetSettings();
        for (const QString &file : previewFiles())
            QFile::remove(QDir(QDir::tempPath()).filePath(file));
        m_frame = startFrame();
        m_form = m_frame->activeForm();
    }

    void cleanup() { closeFrame(m_frame); }

    // One preview file per window, replaced on every refresh and deleted with the window.
    // Grid and viewer share a window half and half; with the viewer off the grid fills it, no
    // preview file is written and new windows start without a viewer.
    void previewFilesAndTheViewerToggle()
    {
        QCOMPARE(previewFiles().size(), 0); // a new window shows a blank page
        for (int i = 0; i < 3; ++i) {
            QVERIFY(triggerAction(m_form, QStringLiteral("mnuViewRefresh")));
            QCOMPARE(previewFiles(), QStringList{QFileInfo(m_form->PreviewFile).fileName()});
        }
        NewWebForm();
        frmWebForm *form = m_frame->activeForm();
        form->UpdateForm();
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
        QVERIFY(!form->findChild<QAction *>(QStringLiteral("mnuViewRefresh"))->isEnabled());
        QVERIFY(!form->findChild<QAction *>(QStringLiteral("mnuViewPreview"))->isChecked());
        NewWebForm();
        QVERIFY(m_frame->activeForm()->webPreview()->isHidden());
        form->mnuViewPreview_Click();
        QVERIFY(!form->webPreview()->isHidden());
        QCOMPARE(form->flgForm()->height(), form->height() / 2);
    }

    void previewShowsTheForm()
    {
        addLabel(m_form, "Preview me");
        m_form->UpdateForm();
        QCOMPARE(m_form->webPreview()->url(), QUrl::fromLocalFile(m_form->PreviewFile));
        // Pending callbacks run when the page goes, so they must not point into this frame.
        auto html = std::make_shared<QString>();
        QTRY_VERIFY_WITH_TIMEOUT(
            (m_form->webPreview()->page()->toHtml([html](const QString &text) { *html = text; }),
             html->contains(QStringLiteral("Preview me"))),
            20000);
        QVERIFY(html->contains(QStringLiteral("type=\"Submit\""), Qt::CaseInsensitive));
    }

    // The placeholder row goes once items exist. Rows are added at the end while it is
    // current, as a program-built form does: its removal must not leave a second mark behind.
    // Moving about keeps exactly one marked cell, never in the Type column.
    void placeholderRowAndTheMark()
    {
        m_form->UpdateForm();
        QCOMPARE(m_form->grid().rows(), 2); // the only row stays, empty as it is
        for (const char *label : {"a", "b", "c"})
            addLabel(m_form, label);
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
        QCOMPARE(m_form->grid().cellColour(2, 5), ViewState::instance().HighlightColour);
        view->setCurrentIndex(view->model()->index(0, 0));
        QCOMPARE(markedCells(m_form), QList<QPoint>{QPoint(1, 1)});
    }

    // Shares 10 14 18 22 6 5 7 18 of the width less 22, a half rounded to the even neighbour;
    // with auto sizing off the columns stay until a resize after it is back on.
    void columnWidths()
    {
        NewWebForm();
        frmWebForm *form = m_frame->activeForm();
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

    void highlightColourIsKeptAcrossRestart()
    {
        const auto currentColour = [this] {
            const ItemGrid &grid = m_frame->activeForm()->grid();
            return grid.cellColour(grid.currentRow(), grid.currentColumn());
        };
        QCOMPARE(currentColour(), quint32(65535)); // yellow on a first run
        Prompter::queueAnswer(QColor());           // cancelled
        m_form->mnuViewHighlight_Click();
        QCOMPARE(currentColour(), quint32(65535));
        Prompter::queueAnswer(QColor(0x12, 0x34, 0x56));
        m_form->mnuViewHighlight_Click();
        QCOMPARE(currentColour(), quint32(0x563412)); // red in the low byte
        closeFrame(m_frame);
        m_frame = startFrame();
        QCOMPARE(currentColour(), quint32(0x563412));
    }

    void helpAndAbout()
    {
        QVERIFY(triggerAction(m_form, QStringLiteral("mnuHelpContents")));
        QVERIFY(HelpWindow::current());
        QCOMPARE(HelpWindow::current()->currentPage(), QStringLiteral("contents.html"));
        const auto *browser = HelpWindow::current()->findChild<QTextBrowser *>();
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Tabrino")));
        HelpWindow::ShowHelpTopic(40);
        QCOMPARE(HelpWindow::current()->currentPage(), QStringLiteral("topic40.html"));
        QVERIFY(Prompter::shown().isEmpty());

        m_form->mnuHelpAbout_Click();
        QCOMPARE(Prompter::shown().constLast().title, QStringLiteral("About Tabrino version 0.61"));
        QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Information);

        QPointer<HelpWindow> help = HelpWindow::current();
        closeFrame(m_frame); // shutdown closes the help window
        QTRY_VERIFY(!help || !help->isVisible());
    }
};

QTEST_MAIN(tst_View)
#include "tst_view.moc"
