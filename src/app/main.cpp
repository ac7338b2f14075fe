// tabrino: the web form designer.
#include "TerminationSignals.h"
#include "app/StartupOptions.h"
#include "app/frmDesign.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Help and version are answered before anything needs a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString information = StartupOptions::informationRequested(arguments);
    if (!information.isEmpty()) {
        std::fputs(information.toLocal8Bit().constData(), stdout);
        return 0;
    }

    // The preview's browser engine shares OpenGL contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tabrino"));
    QApplication::setOrganizationName(QStringLiteral("Tabrino"));
    StartupOptions options;
    options.arguments = QApplication::arguments().mid(1);
    options.startFolder = QDir::currentPath();
    frmDesign frame;
    // A logout, a closed terminal or Ctrl+C ends the program as a session end does, also
    // while it is still starting or a dialog is open: every event loop is left.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &frame, [&frame] {
        frame.EndSession();
        QCoreApplication::exit(0);
    });
    frame.MDIForm_Load(options);
    if (frame.isSessionEnded())
        return 0;
    frame.show();
    return app.exec();
}
