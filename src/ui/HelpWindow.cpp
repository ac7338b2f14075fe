#include "HelpWindow.h"

#include "AppInfo.h"
#include "AppPaths.h"
#include "Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

QPointer<HelpWindow> HelpWindow::s_window;

HelpWindow::HelpWindow(const QString &folder) : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("%1 Help").arg(AppInfo::Title));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setSearchPaths({folder});
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

void HelpWindow::showPage(const QString &page)
{
    const QString folder = AppPaths::helpFolder();
    const QString file = QDir(folder).absoluteFilePath(page);
    if (!QFileInfo(file).isFile()) {
        Prompter::message(MessageIcon::Critical,
                          tr("Unable to open the help file [%1].").arg(file) + CrLf +
                              tr("The help pages are not installed."));
        return;
    }
    if (!s_window)
        s_window = new HelpWindow(folder);
    s_window->m_browser->setSource(QUrl::fromLocalFile(file));
    s_window->show();
    s_window->raise();
    s_window->activateWindow();
}

void HelpWindow::ShowHelpContents()
{
    showPage(QStringLiteral("contents.html"));
}

void HelpWindow::ShowHelpTopic(int topic)
{
    showPage(QStringLiteral("topic%1.html").arg(topic));
}

void HelpWindow::CloseHelp()
{
    if (s_window)
        s_window->close();
}

HelpWindow *HelpWindow::current()
{
    return s_window;
}

QString HelpWindow::currentPage() const
{
    return QFileInfo(m_browser->source().toLocalFile()).fileName();
}
