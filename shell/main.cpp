#include "shell/programfolders.h"
#include "shell/qtdialogs.h"
#include "model/session.h"
#include "shell/shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStandardPaths>

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
    QCoreApplication::setApplicationName(QStringLiteral("zuvrack"));

    Session session;
    const ProgramFolders folders = findProgramFolders(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    session.DataFolder = folders.data;
    session.ProjectFolders = folders.projects;
    QtDialogs dialogs(session);
    Shell shell(session, dialogs);
    shell.start();
    return app.exec();
}
