#include "RecentFileMenu.h"

#include "RecentFiles.h"

#include <QAction>
#include <QMenu>

QString literalMenuText(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void RecentFileMenu::create(QObject *owner, const std::function<void(int)> &open)
{
    m_separator = new QAction(owner);
    m_separator->setSeparator(true);
    m_separator->setObjectName(QStringLiteral("mnuRecentFileSeparator"));
    m_separator->setVisible(false);
    for (int i = 0; i < RecentFileCount; ++i) {
        const QString placeholder = QStringLiteral("RecentFile") + QString::number(i + 1);
        auto *entry = new QAction(placeholder, owner);
        entry->setData(placeholder);
        entry->setObjectName(QStringLiteral("mnuRecentFile") + QString::number(i));
        entry->setVisible(false);
        QObject::connect(entry, &QAction::triggered, owner, [open, i] { open(i); });
        m_entries << entry;
    }
}

void RecentFileMenu::addTo(QMenu *menu) const
{
    menu->addAction(m_separator);
    menu->addActions(m_entries);
}

void RecentFileMenu::setPaths(const QStringList &paths)
{
    if (!paths.isEmpty())
        m_separator->setVisible(true);
    for (int i = 0; i < paths.size() && i < m_entries.size(); ++i) {
        m_entries[i]->setText(literalMenuText(paths.at(i)));
        m_entries[i]->setData(paths.at(i));
        m_entries[i]->setVisible(true);
    }
}

QStringList RecentFileMenu::captions() const
{
    QStringList texts;
    for (const QAction *entry : m_entries)
        texts << entry->data().toString();
    return texts;
}

QString RecentFileMenu::caption(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index)->data().toString()
                                                  : QString();
}
