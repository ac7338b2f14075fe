// tabrino: the web form designer.
#include "app/StartupOptions.h"
#include "app/frmDesign.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    // The preview's browser engine shares OpenGL contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tabrino"));
    QApplication::setOrganizationName(QStringLiteral("Tabrino"));
    StartupOptions options;
    options.arguments = QApplication::arguments().mid(1);
    options.startFolder = QDir::currentPath();
    frmDesign frame;
    frame.MDIForm_Load(options);
    frame.show();
    return app.exec();
}
