// The help window: shows the program's help pages, the contents or a topic by number.
#pragma once

#include <QPointer>
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // Opens the contents page; reports a missing help folder in a message box.
    static void ShowHelpContents();
    // Opens topic 20, 30, 40 or 50.
    static void ShowHelpTopic(int topic);
    // Closes the help window if it is open.
    static void CloseHelp();
    static HelpWindow *current();

    QString currentPage() const;

private:
    explicit HelpWindow(const QString &folder);
    static void showPage(const QString &page);

    QTextBrowser *m_browser = nullptr;
    static QPointer<HelpWindow> s_window;
};
