#include "shell/programfolders.h"

#include <QDir>
#include <QFileInfo>

ProgramFolders findProgramFolders(const QString& programFolder, const QString& userData)
{
    const QDir program(programFolder);
    QString data = program.filePath(QStringLiteral("data"));
    const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../share/zuvrack/data")));
    if (!QFileInfo(data).isDir() && QFileInfo(installed).isDir())
        data = installed;

    ProgramFolders folders{data, {QDir(data).filePath(QStringLiteral("d_files"))}};
    if (!userData.isEmpty()) {
        const QString own = QDir::cleanPath(QDir(userData).filePath(QStringLiteral("d_files")));
        // The user's folder may be the data folder under another name (a link): looked in once.
        const QString ownReal = QFileInfo(own).canonicalFilePath();
        if (own != QDir::cleanPath(folders.projects.first()) &&
            (ownReal.isEmpty() || ownReal != QFileInfo(folders.projects.first()).canonicalFilePath()))
            folders.projects << own;
    }
    return folders;
}
