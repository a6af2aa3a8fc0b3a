#include "files/savefile.h"

#include "files/projectfile.h"
#include "files/writefile.h"
#include "model/dialogs.h"
#include "model/flags.h"
#include "model/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

bool writeAll(QIODevice& device, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const qint64 n = device.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool prepareSaveFile(QSaveFile& file, const QByteArray& data)
{
    // Unbuffered: a buffered write takes the bytes a full disk or a size limit refuses, and the
    // commit would then put the cut-short file in place of the old one. The size is asked of the
    // file system itself.
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, data) && file.flush() &&
           file.size() == data.size();
}

bool saveDescriptionFiles(Session& session, Dialogs& dialogs, CompilerView* view, const QString& destination,
                          const QString& fileName)
{
    // Two students may pick the same title in a shared folder; the second must not lose the
    // first one's project without a word.
    const QString project = projectFileForWriting(session, fileName);
    if (!project.isEmpty() && QFileInfo::exists(project) && !isOwnProject(session, project)) {
        const QString text = QStringLiteral("Файл проекта «%1» уже есть и принадлежит другому описанию. Заменить его?")
                                 .arg(QFileInfo(project).fileName());
        if (dialogs.yesNoBox(text, QStringLiteral("KVERTA Mode")) != 6) {
            session.OutputReady = kSet; // as after any save that wrote nothing: it may be tried again
            return false;
        }
    }
    if (!WriteFile(session, dialogs, view, destination, fileName))
        return false;
    QFile written(project);
    if (written.open(QIODevice::ReadOnly))
        claimProject(session, project, written.readAll());
    session.SavedFiles = QStringList{QDir::toNativeSeparators(QDir(destination).filePath(fileName)),
                                     QDir::toNativeSeparators(project)};
    return true;
}
