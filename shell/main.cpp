#include "shell/programfolders.h"
#include "shell/qtdialogs.h"
#include "model/session.h"
#include "shell/commandline.h"
#include "shell/shell.h"
#include "shell/translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

bool noDisplay()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("zuvrack"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZUVRACK_VERSION));
}

// The program's windows, with the project at projectPath open in free-edit mode when one is given.
int runWindow(int argc, char* argv[], const QString& projectPath)
{
    Session session;
    // A project that cannot be read is said on the terminal before any window opens.
    QString reason;
    if (!projectPath.isEmpty() && !readProjectFile(projectPath, session, &reason)) {
        reportFileProblem(projectPath, reason);
        return kExitBadFile;
    }
    // Without any display Qt would abort with a platform-plugin trace; say it plainly instead.
    if (noDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("zuvrack: no graphical display found (DISPLAY is not set); start it from a desktop session.\n",
                   stderr);
        return kExitBadUsage;
    }

    QApplication app(argc, argv);
    nameApplication();
    loadQtTranslations();
    const ProgramFolders folders = findProgramFolders(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    session.DataFolder = folders.data;
    session.ProjectFolders = folders.projects;
    QtDialogs dialogs(session);
    Shell shell(session, dialogs);
    shell.setJournalFolder(
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("journals")));
    shell.start();
    if (!projectPath.isEmpty())
        shell.showLoadedProject();
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
#ifdef SIGXFSZ
    // A file-size limit then fails the write, which is reported, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QStringList files = arguments.mid(1);
    // Anything but a lone project file runs without a window, and so without a display.
    if (!wantsWindow(arguments)) {
        // The summary lays out text, which takes a GUI application, but it opens no window: the
        // offscreen platform, so that a stale DISPLAY over ssh cannot stop it.
        if (wantsSummary(arguments) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        const std::unique_ptr<QCoreApplication> app(wantsSummary(arguments) ? new QGuiApplication(argc, argv)
                                                                            : new QCoreApplication(argc, argv));
        nameApplication();
        const CommandLine commandLine = parseCommandLine(QCoreApplication::arguments());
        if (commandLine.mode != CommandLine::Mode::Window)
            return runCommandLine(commandLine);
        files = commandLine.files;
    }
    return runWindow(argc, argv, files.value(0));
}
