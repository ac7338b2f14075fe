#include "app/MainWindow.h"

#include "AppInfo.h"

#include <QWebEngineView>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(AppInfo::Title);
    m_view = new QWebEngineView(this);
    m_view->setUrl(QUrl(QStringLiteral("about:blank")));
    setCentralWidget(m_view);
    resize(800, 600);
}
