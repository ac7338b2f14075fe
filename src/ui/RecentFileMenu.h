// The recent-file entries at the end of the File menus: a separator and four entries, hidden
// until the list has paths, made once and shown by every File menu. Each entry's caption is
// its path, shown exactly as it is.
#pragma once

#include <QList>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;
class QObject;

// `text` for a menu entry that shows it exactly: every "&" is shown, none marks an access key.
QString literalMenuText(const QString &text);

class RecentFileMenu
{
public:
    // Makes the entries, owned by `owner`; a click on entry i calls `open(i)`.
    void create(QObject *owner, const std::function<void(int)> &open);
    // Puts the entries at the end of `menu`.
    void addTo(QMenu *menu) const;
    // Shows the first paths.size() entries with the given captions; the others stay as
    // they are.
    void setPaths(const QStringList &paths);
    // The captions as the file commands read them: the paths themselves.
    QStringList captions() const;
    QString caption(int index) const;

private:
    QAction *m_separator = nullptr;
    QList<QAction *> m_entries;
};
