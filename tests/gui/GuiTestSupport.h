// Helpers for the GUI tests: a started frame with a temporary settings store and
// temporary folder, actions found by name, and modal dialogs answered while they run.
#pragma once

#include "FormSlots.h"
#include "RecoveryStore.h"
#include "SettingsStore.h"
#include "app/StartupOptions.h"
#include "app/frmDesign.h"
#include "document/DocumentLifecycle.h"
#include "document/frmWebForm.h"
#include "ui/ModalDialog.h"
#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace GuiTest {

inline const QString PendingModalName = QStringLiteral("pendingModalAnswer");

// A frame started as the program starts it, without the three-second wait.
inline std::unique_ptr<frmDesign> startFrame(const QStringList &arguments = {},
                                             const QString &startFolder = QDir::currentPath())
{
    auto frame = std::make_unique<frmDesign>();
    frame->MDIForm_Load({arguments, startFolder, 0});
    frame->show();
    return frame;
}

// Answers prepared for dialogs that never came; a test leaving one behind is wrong.
inline int discardPendingModals()
{
    const QList<QTimer *> pending = qApp->findChildren<QTimer *>(PendingModalName);
    qDeleteAll(pending);
    return int(pending.size());
}

// Closes the frame without any save-changes question, after failing the test on any
// question it did not script, naming the question.
inline void closeFrame(std::unique_ptr<frmDesign> &frame)
{
    const QStringList asked = Prompter::takeUnanswered();
    if (!asked.isEmpty())
        QTest::qFail(qPrintable("unscripted question: " + asked.join(QStringLiteral(" / "))),
                     __FILE__, __LINE__);
    if (discardPendingModals() > 0)
        QTest::qFail("a prepared dialog answer was never used", __FILE__, __LINE__);
    if (!frame)
        return;
    for (int slot = 1; slot <= Slots().upperIndex(); ++slot)
        Slots().FormInfo[slot].Changed = false;
    frame->close();
    frame.reset();
    QApplication::processEvents();
}

// The action `name` a user reaches from `parent`: below a document window, the shared
// command, with that window made the active one (commands run on the active window);
// otherwise the action below `parent`.
inline QAction *findAction(QObject *parent, const QString &name)
{
    auto *form = qobject_cast<frmWebForm *>(parent);
    if (!form)
        return parent->findChild<QAction *>(name);
    frmDesign::MainFrame()->activateFormWindow(form);
    return frmDesign::MainFrame()->findChild<QAction *>(name);
}

// Triggers the action `name` as above; false, with a warning, when it is missing or
// disabled.
inline bool triggerAction(QObject *parent, const QString &name)
{
    auto *action = findAction(parent, name);
    const bool usable = action && action->isEnabled();
    if (usable)
        action->trigger();
    else
        qWarning("action %s is missing or disabled", qPrintable(name));
    return usable;
}

inline QList<frmWebForm *> openForms(const frmDesign &frame)
{
    QList<frmWebForm *> forms;
    for (QMdiSubWindow *sub : frame.mdiArea()->subWindowList()) {
        if (auto *form = qobject_cast<frmWebForm *>(sub->widget()))
            forms << form;
    }
    return forms;
}

inline QStringList captions(const frmDesign &frame)
{
    QStringList titles;
    for (frmWebForm *form : openForms(frame))
        titles << form->Caption();
    return titles;
}

// Runs `answer` on the next modal widget of type T once it is shown.
template <typename T> void whenModal(std::function<void(T *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setObjectName(PendingModalName);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->setObjectName(QString()); // answered
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

// Works `steps` on `window`, word by word: "name=value" puts the value into the text box or
// combo box `name`, or ticks that check box (any value; none clears it), where the control
// exists and is enabled; a number makes that line (from 1) of the window's list current;
// "clear" empties every text box; any other word clicks that button, which must exist.
inline void doSteps(QWidget *window, const QString &steps)
{
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString value = step.section(QLatin1Char('='), 1);
        auto *control = window->findChild<QWidget *>(step.section(QLatin1Char('='), 0, 0));
        bool isLine = false;
        const int line = step.toInt(&isLine);
        if (isLine) {
            window->findChild<QListWidget *>()->setCurrentRow(line - 1);
        } else if (step == QLatin1String("clear")) {
            for (QLineEdit *box : window->findChildren<QLineEdit *>())
                box->clear();
        } else if (!step.contains(QLatin1Char('='))) {
            auto *button = qobject_cast<QAbstractButton *>(control);
            QVERIFY2(button, qPrintable("no button " + step));
            button->click();
        } else if (!control || !control->isEnabled()) {
            continue;
        } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
            box->setText(value);
        } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
            combo->setCurrentText(value);
        } else if (auto *tick = qobject_cast<QAbstractButton *>(control)) {
            tick->setChecked(!value.isEmpty());
        }
    }
}

// Answers the next dialog of type D once it shows: `steps` as doSteps() works them, then OK
// or Cancel.
template <typename D = ModalDialog> void fillIn(const QString &steps, bool ok = true)
{
    whenModal<D>([steps, ok](D *dialog) {
        doSteps(dialog, steps);
        ok ? dialog->cmdOK_Click() : dialog->cmdCancel_Click();
    });
}

// Sets the cells of `row`, given separated by "|" (the last cell takes the rest), adding the
// row when it is past the last.
inline void setRow(frmWebForm *form, int row, const QString &cells)
{
    if (row >= form->grid().rows())
        form->grid().addRow(row);
    for (int col = 0; col < ItemColumnCount; ++col) {
        const int last = col == ColOther ? -1 : col;
        form->grid().setText(row, col, cells.section(QLatin1Char('|'), col, last).toUtf8());
    }
}

// The item cells of a document that carry a colour, as (column, row).
inline QList<QPoint> markedCells(frmWebForm *form)
{
    QList<QPoint> marked;
    for (int row = 1; row < form->grid().rows(); ++row) {
        for (int col = 0; col < ItemColumnCount; ++col) {
            if (form->grid().cellColour(row, col) != 0)
                marked << QPoint(col, row);
        }
    }
    return marked;
}

// Every item row of the form, its cells joined by "|" up to the last non-empty one.
inline QStringList itemRows(frmWebForm *form)
{
    QStringList rows;
    for (int row = 1; row < form->grid().rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < ItemColumnCount; ++col)
            cells << QString::fromUtf8(form->grid().text(row, col));
        while (!cells.isEmpty() && cells.constLast().isEmpty())
            cells.removeLast();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// The last message shown through the prompter, or the empty text.
inline QString lastMessage()
{
    return Prompter::shown().isEmpty() ? QString() : Prompter::shown().constLast().text;
}

// What the test classes hold: a frame, its first document and a temporary folder. Their
// init() and cleanup() call startTest() and closeFrame(m_frame).
class FrameTest : public QObject
{
protected:
    std::unique_ptr<frmDesign> m_frame;
    frmWebForm *m_form = nullptr;
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A first run, every question scripted; with `start`, the frame started, m_form its document.
    void startTest(bool start = true)
    {
        QFile::remove(SettingsStore::fileName());
        QDir(RecoveryStore::DefaultFolder()).removeRecursively();
        SettingsStore::setDisplayWizard(false);
        Prompter::clearAnswers();
        Prompter::clearShown();
        Prompter::takeUnanswered();
        Prompter::setScripted(true);
        QVERIFY(m_dir.isValid());
        if (start)
            m_frame = startFrame();
        m_form = start ? m_frame->activeForm() : nullptr;
    }
};

} // namespace GuiTest
