// The program's menu commands. Each command is one QAction, made here once with its
// caption, shortcut and object name, and shared by the frame's own menu bar and the menu
// bar of every document window; the toolbar's buttons trigger the same actions. A command
// runs on the active document window, which is the one whose menu bar the frame shows.
// What is enabled and checked is decided in one place, update(), which the frame calls when
// another window becomes active and the document lifecycle calls when a document opens or
// closes. The frame registers the one instance on creation.
#pragma once

#include "ui/RecentFileMenu.h"

#include <QHash>
#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

class CommandActions : public QObject
{
    Q_OBJECT

public:
    explicit CommandActions(QObject *parent);
    ~CommandActions() override;

    // The registered instance, or nullptr while there is none.
    static CommandActions *instance();

    // The command named `name` as the document windows' menus show it; nullptr when unknown.
    QAction *action(const QString &name) const;
    // A new menu bar for a document window, and the frame's own for when none is open.
    QMenuBar *documentMenuBar();
    QMenuBar *frameMenuBar();

    // Enables the commands that need a document while one is open, and sets the View
    // menu's check marks and Refresh as the menu shows them.
    void update();

    // The stored recent-file list copied into the entries of every File menu.
    void refreshRecentFiles();
    // The paths the recent-file entries show, which a file is checked against before it is
    // added to the stored list.
    QStringList recentFileCaptions() const { return m_recentFiles.captions(); }
    // Opens the file of recent-file entry `index`; an entry without a path does nothing.
    void openRecentFile(int index);

    // A row of the menu tables: a menu, a separator, the recent-file entries or a command.
    struct Entry;

private:
    QMenuBar *menuBar(const QList<const Entry *> &layout, bool frame);
    static void fillWindowList(QMenu *menu);

    QHash<QString, QAction *> m_actions;
    QHash<QString, QAction *> m_frameActions; // the frame's own Open and Contents
    QList<QAction *> m_documentCommands;      // enabled while a document is open
    RecentFileMenu m_recentFiles;
};
