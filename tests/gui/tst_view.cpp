// View options and the preview: preview files, the viewer toggle, column widths, the
// highlight colour, help and About.
#include "GuiTestSupport.h"

#include "app/HelpWindow.h"
#include "app/ViewState.h"
#include "editor/ItemGridView.h"

#include <QHeaderView>
#include <QTextBrowser>
#include <QWebEngineView>
#include <cmath>

using namespace GuiTest;

namespace {

QStringList previewFiles()
{
    return QDir(QDir::tempPath())
        .entryList({QStringLiteral("WFM*")}, QDir::Files, QDir::Name);
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

private slots:
    void init()
    {
        resetSettings();
        for (const QString &file : previewFiles())
            QFile::remove(QDir(QDir::tempPath()).filePath(file));
    }
    void cleanup() { closeFrame(m_frame); }

    void onePreviewFilePerWindow();
    void noPreviewFileWithTheViewerOff();
    void viewerToggleChangesTheLayout();
    void previewShowsTheForm();
    void placeholderRowGoesOnceItemsExist();
    void columnWidthsFollowTheWindow_data();
    void columnWidthsFollowTheWindow();
    void columnWidthsStayWithAutoSizingOff();
    void highlightColourIsKeptAcrossRestart();
    void exactlyOneCellIsMarked();
    void placeholderRemovalKeepsOneMark();
    void helpAndAbout();

private:
    std::unique_ptr<frmDesign> m_frame;
};

void tst_View::onePreviewFilePerWindow()
{
    m_frame = startFrame();
    frmWebForm *first = m_frame->activeForm();
    QCOMPARE(previewFiles().size(), 0); // a new window shows a blank page
    for (int i = 0; i < 3; ++i) {
        QVERIFY(triggerAction(first, QStringLiteral("mnuViewRefresh")));
        QCOMPARE(previewFiles().size(), 1);
        QVERIFY(QFile::exists(first->PreviewFile));
        QVERIFY(QFileInfo(first->PreviewFile).fileName().startsWith(QStringLiteral("WFM")));
    }
    NewWebForm();
    m_frame->activeForm()->UpdateForm();
    m_frame->activeForm()->UpdateForm();
    QCOMPARE(previewFiles().size(), 2);
    first->mnuFileClose_Click();
    QTRY_COMPARE(previewFiles().size(), 1); // closing deletes the window's file
}

void tst_View::noPreviewFileWithTheViewerOff()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    form->UpdateForm();
    QCOMPARE(previewFiles().size(), 1);
    QVERIFY(triggerAction(form, QStringLiteral("mnuViewPreview")));
    QVERIFY(!ViewState::instance().InternalViewer);
    form->mnuViewRefresh_Click();
    QCOMPARE(previewFiles().size(), 0);
    QVERIFY(form->PreviewFile.isEmpty());
    form->mnuView_Click();
    QVERIFY(!form->findChild<QAction *>(QStringLiteral("mnuViewRefresh"))->isEnabled());
    QVERIFY(!form->findChild<QAction *>(QStringLiteral("mnuViewPreview"))->isChecked());
    // A window created now starts with its viewer hidden.
    NewWebForm();
    QVERIFY(m_frame->activeForm()->webPreview()->isHidden());
    form->mnuViewPreview_Click(); // back on for the next tests
}

void tst_View::viewerToggleChangesTheLayout()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    const int h = form->height();
    QCOMPARE(form->flgForm()->height(), h / 2);
    QCOMPARE(form->webPreview()->geometry(), QRect(0, h / 2, form->width(), h / 2));
    form->mnuViewPreview_Click();
    QVERIFY(form->webPreview()->isHidden());
    QCOMPARE(form->flgForm()->height(), h);
    form->mnuViewPreview_Click();
    QVERIFY(!form->webPreview()->isHidden());
    QCOMPARE(form->flgForm()->height(), h / 2);
}

void tst_View::previewShowsTheForm()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    addLabel(form, "Preview me");
    form->UpdateForm();
    QCOMPARE(form->webPreview()->url(), QUrl::fromLocalFile(form->PreviewFile));
    // Pending callbacks run when the page goes, so they must not point into this frame.
    auto html = std::make_shared<QString>();
    QTRY_VERIFY_WITH_TIMEOUT(
        (form->webPreview()->page()->toHtml([html](const QString &text) { *html = text; }),
         html->contains(QStringLiteral("Preview me"))),
        20000);
    QVERIFY(html->contains(QStringLiteral("type=\"Submit\""), Qt::CaseInsensitive));
}

void tst_View::placeholderRowGoesOnceItemsExist()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    form->UpdateForm();
    QCOMPARE(form->grid().rows(), 2); // the only row stays, empty as it is
    addLabel(form, "one");
    form->UpdateForm();
    QCOMPARE(form->grid().rows(), 2);
    QCOMPARE(form->grid().text(1, ColLabel), QByteArray("one"));
}

void tst_View::columnWidthsFollowTheWindow_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("1000") << 1000;
    QTest::newRow("622") << 622; // unit 6: every width whole
    QTest::newRow("547") << 547; // halves: 52.5 becomes 52, 31.5 becomes 32
}

void tst_View::columnWidthsFollowTheWindow()
{
    QFETCH(int, width);
    m_frame = startFrame();
    NewWebForm();
    frmWebForm *form = m_frame->activeForm();
    form->subWindow()->showNormal();
    form->resize(width, 400);
    QCOMPARE(form->width(), width);
    const int shares[] = {10, 14, 18, 22, 6, 5, 7, 18};
    const double unit = (width - 22) / 100.0;
    for (int col = 0; col < 8; ++col) {
        QCOMPARE(form->flgForm()->horizontalHeader()->sectionSize(col),
                 int(std::nearbyint(unit * shares[col])));
    }
    if (width == 547) {
        QCOMPARE(form->flgForm()->horizontalHeader()->sectionSize(0), 52);
        QCOMPARE(form->flgForm()->horizontalHeader()->sectionSize(4), 32);
    }
}

void tst_View::columnWidthsStayWithAutoSizingOff()
{
    m_frame = startFrame();
    NewWebForm();
    frmWebForm *form = m_frame->activeForm();
    form->subWindow()->showNormal();
    form->resize(800, 400);
    const int before = form->flgForm()->horizontalHeader()->sectionSize(3);
    form->mnuViewResizeGrid_Click();
    form->resize(500, 300);
    QCOMPARE(form->flgForm()->horizontalHeader()->sectionSize(3), before);
    QCOMPARE(form->flgForm()->width(), 500);
    form->mnuViewResizeGrid_Click();
    QCOMPARE(form->flgForm()->horizontalHeader()->sectionSize(3), before); // until a resize
    form->resize(600, 300);
    QCOMPARE(form->flgForm()->horizontalHeader()->sectionSize(3),
             int(std::nearbyint((600 - 22) / 100.0 * 22)));
}

void tst_View::highlightColourIsKeptAcrossRestart()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    const int row = form->grid().currentRow();
    const int col = form->grid().currentColumn();
    QCOMPARE(form->grid().cellColour(row, col), quint32(65535)); // yellow on a first run
    Prompter::queueAnswer(QColor()); // cancelled
    form->mnuViewHighlight_Click();
    QCOMPARE(form->grid().cellColour(row, col), quint32(65535));
    Prompter::queueAnswer(QColor(0x12, 0x34, 0x56));
    form->mnuViewHighlight_Click();
    QCOMPARE(form->grid().cellColour(row, col), quint32(0x563412)); // red in the low byte
    QCOMPARE(SettingsStore::read(SettingsStore::SettingsSection,
                                 SettingsStore::HighlightColourKey, QString()),
             QString::number(0x563412));
    closeFrame(m_frame);
    m_frame = startFrame();
    form = m_frame->activeForm();
    QCOMPARE(form->grid().cellColour(form->grid().currentRow(), form->grid().currentColumn()),
             quint32(0x563412));
}

void tst_View::exactlyOneCellIsMarked()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    for (int i = 0; i < 3; ++i)
        addLabel(form, "x");
    const auto marked = [form] {
        int count = 0;
        for (int row = 1; row < form->grid().rows(); ++row) {
            for (int col = 0; col < 8; ++col)
                count += form->grid().cellColour(row, col) != 0;
        }
        return count;
    };
    ItemGridView *view = form->flgForm();
    view->setCurrentIndex(view->model()->index(2, 3));
    view->setCurrentIndex(view->model()->index(1, 5));
    QCOMPARE(marked(), 1);
    QCOMPARE(form->grid().cellColour(2, 5), ViewState::instance().HighlightColour);
    // The Type column is never current.
    view->setCurrentIndex(view->model()->index(0, 0));
    QCOMPARE(form->grid().currentColumn(), 1);
    QCOMPARE(marked(), 1);
}

// Rows added at the end while the placeholder is current, as a program-built form does:
// removing the placeholder must not leave a second marked cell behind.
void tst_View::placeholderRemovalKeepsOneMark()
{
    m_frame = startFrame();
    frmWebForm *form = m_frame->activeForm();
    for (int i = 0; i < 3; ++i)
        addLabel(form, "x");
    form->UpdateForm();
    QList<QPoint> marked;
    for (int row = 1; row < form->grid().rows(); ++row) {
        for (int col = 0; col < 8; ++col) {
            if (form->grid().cellColour(row, col) != 0)
                marked << QPoint(col, row);
        }
    }
    QCOMPARE(marked, QList<QPoint>{QPoint(1, 1)});
    QCOMPARE(form->grid().currentRow(), 1);
    QCOMPARE(form->flgForm()->currentIndex().row(), 0);
}

void tst_View::helpAndAbout()
{
    m_frame = startFrame();
    QVERIFY(triggerAction(m_frame->activeForm(), QStringLiteral("mnuHelpContents")));
    QVERIFY(HelpWindow::current());
    QCOMPARE(HelpWindow::current()->currentPage(), QStringLiteral("contents.html"));
    const auto *browser = HelpWindow::current()->findChild<QTextBrowser *>();
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Tabrino")));
    HelpWindow::ShowHelpTopic(40);
    QCOMPARE(HelpWindow::current()->currentPage(), QStringLiteral("topic40.html"));
    QVERIFY(Prompter::shown().isEmpty());

    Prompter::queueAnswer(QMessageBox::Ok);
    m_frame->activeForm()->mnuHelpAbout_Click();
    QCOMPARE(Prompter::shown().constLast().title, QStringLiteral("About Tabrino version 0.61"));
    QCOMPARE(Prompter::shown().constLast().icon, MessageIcon::Information);

    QPointer<HelpWindow> help = HelpWindow::current();
    closeFrame(m_frame); // shutdown closes the help window
    QTRY_VERIFY(!help || !help->isVisible());
}

QTEST_MAIN(tst_View)
#include "tst_view.moc"
