#include "Prompter.h"

#include "AppInfo.h"
#include "SettingsStore.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QQueue>

namespace {

QQueue<QVariant> &answers()
{
    static QQueue<QVariant> queue;
    return queue;
}

bool g_scripted = false;

QStringList &unansweredLog()
{
    static QStringList log;
    return log;
}

bool hasAnswer()
{
    return !answers().isEmpty() || g_scripted;
}

// A question asked while scripted with no answer queued: the test did not expect it.
void noteUnanswered(const QString &title, const QString &text)
{
    if (g_scripted && answers().isEmpty())
        unansweredLog() << title + QStringLiteral(": ") + text;
}

QVariant nextAnswer(const QVariant &unanswered)
{
    return answers().isEmpty() ? unanswered : answers().dequeue();
}

const QString LastFolderKey = QStringLiteral("Last Folder");

std::function<QString()> &documentFolder()
{
    static std::function<QString()> source;
    return source;
}

QList<Prompter::Shown> &shownLog()
{
    static QList<Prompter::Shown> log;
    return log;
}

QWidget *dialogParent(QWidget *parent)
{
    return parent ? parent : QApplication::activeWindow();
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Message texts carry CR LF between lines; a message box wants LF.
QString displayText(QString text)
{
    return text.replace(CrLf, QStringLiteral("\n"));
}

// The chosen file, or the empty text; the folder of a chosen file is remembered.
QString rememberFolder(const QString &file)
{
    if (!file.isEmpty())
        SettingsStore::write(SettingsStore::SettingsSection, LastFolderKey,
                             QFileInfo(file).absolutePath());
    return file;
}

QString fileDialog(QFileDialog::AcceptMode mode, const QString &title, const QString &initial,
                   const QString &filter, bool mustExist, bool confirmOverwrite, QWidget *parent,
                   const QString &defaultSuffix = QString())
{
    noteUnanswered(title, initial);
    if (hasAnswer())
        return rememberFolder(nextAnswer(QString()).toString());
    // A suggested name alone opens in the start folder; a suggested path in its own.
    const bool isPath = initial.contains(QLatin1Char('/'));
    QFileDialog dialog(dialogParent(parent), title,
                       isPath ? QFileInfo(initial).absolutePath() : Prompter::startFolder(),
                       Prompter::qtFilter(filter));
    dialog.setObjectName(QStringLiteral("cmdForm"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!initial.isEmpty())
        dialog.selectFile(isPath ? QFileInfo(initial).fileName() : initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return rememberFolder(dialog.selectedFiles().constFirst());
}

} // namespace

QMessageBox::StandardButton Prompter::message(MessageIcon icon, const QString &text,
                                              QMessageBox::StandardButtons buttons, QWidget *parent,
                                              const QString &title)
{
    const QString caption = title.isEmpty() ? AppInfo::Title : title;
    shownLog().append({icon, text, caption});
    // A box with OK alone asks nothing; any other button set is a question.
    if (buttons != QMessageBox::Ok)
        noteUnanswered(caption, text);
    if (hasAnswer()) {
        const QMessageBox::StandardButton unanswered =
            buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
            : buttons.testFlag(QMessageBox::No)   ? QMessageBox::No
                                                  : QMessageBox::Ok;
        return QMessageBox::StandardButton(nextAnswer(int(unanswered)).toInt());
    }
    QMessageBox box(boxIcon(icon), caption, displayText(text), buttons, dialogParent(parent));
    box.setObjectName(QStringLiteral("messageBox"));
    return QMessageBox::StandardButton(box.exec());
}

void Prompter::show(const Outcome &outcome, QWidget *parent)
{
    if (!outcome.message.isEmpty())
        message(outcome.icon, outcome.message, QMessageBox::Ok, parent);
}

QString Prompter::input(const QString &title, const QString &prompt, const QString &initial,
                        QWidget *parent)
{
    shownLog().append({MessageIcon::None, prompt, title});
    noteUnanswered(title, prompt);
    if (hasAnswer())
        return nextAnswer(QString()).toString();
    QInputDialog dialog(dialogParent(parent));
    dialog.setObjectName(QStringLiteral("inputBox"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

QString Prompter::openFile(const QString &title, const QString &initial, const QString &filter,
                           QWidget *parent)
{
    return fileDialog(QFileDialog::AcceptOpen, title, initial, filter, true, false, parent);
}

QString Prompter::saveFile(const QString &title, const QString &initial, const QString &filter,
                           bool confirmOverwrite, QWidget *parent, const QString &defaultSuffix)
{
    return fileDialog(QFileDialog::AcceptSave, title, initial, filter, false, confirmOverwrite,
                      parent, defaultSuffix);
}

QString Prompter::startFolder()
{
    return startFolder(
        documentFolder() ? documentFolder()() : QString(),
        SettingsStore::read(SettingsStore::SettingsSection, LastFolderKey, QString()));
}

QString Prompter::startFolder(const QString &documentFolder, const QString &lastFolder)
{
    for (const QString &folder : {documentFolder, lastFolder}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

void Prompter::setDocumentFolderSource(std::function<QString()> source)
{
    documentFolder() = std::move(source);
}

QColor Prompter::colour(QWidget *parent)
{
    noteUnanswered(QStringLiteral("colour"), QString());
    if (hasAnswer())
        return nextAnswer(QColor()).value<QColor>();
    QColorDialog dialog(dialogParent(parent));
    dialog.setObjectName(QStringLiteral("colourDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return QColor();
    return dialog.selectedColor();
}

void Prompter::queueAnswer(const QVariant &answer)
{
    answers().enqueue(answer);
}

void Prompter::setScripted(bool scripted)
{
    g_scripted = scripted;
}

void Prompter::clearAnswers()
{
    answers().clear();
}

int Prompter::pendingAnswers()
{
    return int(answers().size());
}

const QList<Prompter::Shown> &Prompter::shown()
{
    return shownLog();
}

void Prompter::clearShown()
{
    shownLog().clear();
}

QStringList Prompter::takeUnanswered()
{
    QStringList asked;
    asked.swap(unansweredLog());
    return asked;
}

QString Prompter::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        const int paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0)
            description = description.left(paren).trimmed();
        // Callers mark their descriptions with QT_TRANSLATE_NOOP("FileFilters", ...).
        description = QCoreApplication::translate("FileFilters", description.toUtf8().constData());
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "*.*" means every file, with or without a dot in its name.
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}
