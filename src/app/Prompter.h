// The one seam through which the program asks the user anything: message boxes, input
// boxes, file and colour dialogs. Tests queue answers; with none queued the real dialog
// is shown. Every message shown is also logged, so tests can check its exact text.
#pragma once

#include "Outcome.h"

#include <QColor>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QVariant>

class QWidget;

class Prompter
{
public:
    struct Shown
    {
        MessageIcon icon;
        QString text;
        QString title;
    };

    // Message box titled "Tabrino" unless `title` says otherwise. Returns the button pressed.
    static QMessageBox::StandardButton
    message(MessageIcon icon, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok, QWidget *parent = nullptr,
            const QString &title = QString());
    static void show(const Outcome &outcome, QWidget *parent = nullptr);

    // Input box: the text entered, or the empty text when cancelled.
    static QString input(const QString &title, const QString &prompt,
                         const QString &initial = QString(), QWidget *parent = nullptr);

    // File dialogs; `filter` is in the form "Description (*.a;*.b)|*.a;*.b|...". The empty
    // text means cancelled. No extension is ever added to a typed name.
    static QString openFile(const QString &title, const QString &initial, const QString &filter,
                            QWidget *parent = nullptr);
    static QString saveFile(const QString &title, const QString &initial, const QString &filter,
                            bool confirmOverwrite, QWidget *parent = nullptr);

    // Colour dialog: an invalid colour when cancelled.
    static QColor colour(QWidget *parent = nullptr);

    // --- for tests
    // Queue the answer of the next question: a StandardButton for a message box, a
    // QString for an input box or file dialog (empty = cancel), a QColor for the colour
    // dialog (invalid = cancel).
    static void queueAnswer(const QVariant &answer);
    // With scripted answers on, a question with no queued answer never waits for a
    // user: a message box gives its Cancel, No or OK button, every other dialog cancels.
    static void setScripted(bool scripted);
    static void clearAnswers();
    static int pendingAnswers();
    static const QList<Shown> &shown();
    static void clearShown();

    // "A|pattern|B|pattern" as a QFileDialog name filter list.
    static QString qtFilter(const QString &filter);
};
