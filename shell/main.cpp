#include "qtdialogs.h"
#include "session.h"
#include "shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Without any display Qt would abort with a platform-plugin trace; say it plainly instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("zuvrack: no graphical display found (DISPLAY is not set); start it from a desktop session.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);

    Session session;
    session.DataFolder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
    QtDialogs dialogs(session);
    Shell shell(session, dialogs);
    shell.start();
    return app.exec();
}
