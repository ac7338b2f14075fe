// The one seam through which the program asks the user anything: message boxes, input
// boxes, file and colour dialogs. Tests queue answers; with none queued the real dialog
// is shown. Every message shown is also logged, so tests can check its exact text.
#pragma once

#include "Outcome.h"

#include <QColor>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

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
    // text means cancelled. A name typed without an extension in the Save dialog gets
    // `defaultSuffix` ("wfm"), if one is given. A dialog opens in the folder of `initial`
    // when that is a path, else in startFolder(); the folder of a chosen file is kept in
    // the settings as the last folder used.
    static QString openFile(const QString &title, const QString &initial, const QString &filter,
                            QWidget *parent = nullptr);
    static QString saveFile(const QString &title, const QString &initial, const QString &filter,
                            bool confirmOverwrite, QWidget *parent = nullptr,
                            const QString &defaultSuffix = QString());
    // Where a file dialog opens: the active document's folder, else the last folder used,
    // else the home folder.
    static QString startFolder();
    // The same choice from the given folders: the first that exists, else the home folder.
    static QString startFolder(const QString &documentFolder, const QString &lastFolder);
    // Tells where the active document lives (its folder, or the empty text).
    static void setDocumentFolderSource(std::function<QString()> source);

    // Colour dialog: an invalid colour when cancelled.
    static QColor colour(QWidget *parent = nullptr);

    // --- for tests
    // Queue the answer of the next question: a StandardButton for a message box, a
    // QString for an input box or file dialog (empty = cancel), a QColor for the colour
    // dialog (invalid = cancel).
    static void queueAnswer(const QVariant &answer);
    // With scripted answers on, a question with no queued answer never waits for a
    // user: a message box gives its Cancel, No or OK button, every other dialog cancels;
    // the question is noted for takeUnanswered(), so the test can fail on it.
    static void setScripted(bool scripted);
    static void clearAnswers();
    static int pendingAnswers();
    static const QList<Shown> &shown();
    static void clearShown();
    // The questions ("title: text") that came unanswered while scripted, since the last
    // call; a message box with OK alone asks nothing and is not noted.
    static QStringList takeUnanswered();

    // "A|pattern|B|pattern" as a QFileDialog name filter list, the descriptions translated
    // in the context "FileFilters".
    static QString qtFilter(const QString &filter);
};

// The file dialogs' filters. The descriptions are translated where the file dialog shows
// them; the patterns stay.
namespace FileFilters {
// clang-format off
inline const QString WebForm = QStringLiteral(
    QT_TRANSLATE_NOOP("FileFilters", "Web form") " (*.wfm)|*.wfm");
inline const QString Html = QStringLiteral(
    QT_TRANSLATE_NOOP("FileFilters", "HTML Source") " (*.htm;*.html)|*.htm;*.html|"
    QT_TRANSLATE_NOOP("FileFilters", "All Files") " (*.*)|*.*");
inline const QString Images = QStringLiteral(
    QT_TRANSLATE_NOOP("FileFilters", "Images") " (*.gif;*.jpg)|*.gif;*.jpg|"
    QT_TRANSLATE_NOOP("FileFilters", "All Files") " (*.*)|*.*");
// clang-format on
} // namespace FileFilters
