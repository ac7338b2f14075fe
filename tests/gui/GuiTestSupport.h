// Helpers for the GUI tests: a started frame with a temporary settings store and
// temporary folder, actions found by name, and modal dialogs answered while they run.
#pragma once

#include "FormSlots.h"
#include "SettingsStore.h"
#include "app/StartupOptions.h"
#include "app/frmDesign.h"
#include "document/DocumentLifecycle.h"
#include "document/frmWebForm.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPoint>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace GuiTest {

inline const QString PendingModalName = QStringLiteral("pendingModalAnswer");

// Removes the settings file so every test starts as a first run, with the wizard off
// unless the test wants it.
inline void resetSettings(bool displayWizard = false)
{
    QFile::remove(SettingsStore::fileName());
    SettingsStore::setDisplayWizard(displayWizard);
    Prompter::clearAnswers();
    Prompter::clearShown();
    Prompter::takeUnanswered();
    Prompter::setScripted(true);
}

// A question the test did not script fails the test, naming the question.
inline void failOnUnansweredQuestions()
{
    const QStringList asked = Prompter::takeUnanswered();
    if (!asked.isEmpty())
        QTest::qFail(
            qPrintable(QStringLiteral("unscripted question: ") + asked.join(QStringLiteral(" / "))),
            __FILE__, __LINE__);
}

// A frame started as the program starts it, without the three-second wait.
inline std::unique_ptr<frmDesign> startFrame(const QStringList &arguments = {},
                                             const QString &startFolder = QDir::currentPath())
{
    auto frame = std::make_unique<frmDesign>();
    StartupOptions options;
    options.arguments = arguments;
    options.startFolder = startFolder;
    options.splashMilliseconds = 0;
    frame->MDIForm_Load(options);
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
// question it did not script.
inline void closeFrame(std::unique_ptr<frmDesign> &frame)
{
    failOnUnansweredQuestions();
    if (discardPendingModals() > 0)
        qWarning("a prepared dialog answer was never used");
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

// Triggers the action `name` as above; fails the test when it is missing or disabled.
inline bool triggerAction(QObject *parent, const QString &name)
{
    auto *action = findAction(parent, name);
    if (!action) {
        qWarning("no action named %s", qPrintable(name));
        return false;
    }
    if (!action->isEnabled()) {
        qWarning("action %s is disabled", qPrintable(name));
        return false;
    }
    action->trigger();
    return true;
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

// The last message shown through the prompter, or the empty text.
inline QString lastMessage()
{
    return Prompter::shown().isEmpty() ? QString() : Prompter::shown().constLast().text;
}

} // namespace GuiTest
