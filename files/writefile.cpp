#include "files/writefile.h"

#include <QFileInfo>

#include "files/codepage.h"
#include "model/answers.h"
#include "model/errors.h"
#include "files/kvcompiler.h"
#include "files/projectfile.h"
#include "files/projectformat.h"
#include "files/savefile.h"
#include "model/flags.h"
#include "model/session.h"

#include <QDir>
#include <QSaveFile>

namespace {

constexpr qint16 kErrNoFileName = 17;

void showListing(CompilerView& view, const KvListing& listing)
{
    qsizetype mark = 0;
    for (qsizetype i = 0; i <= listing.lines.size(); ++i) {
        while (mark < listing.marks.size() && listing.marks[mark].afterLines == i)
            view.setProgress(listing.marks[mark++].percent);
        if (i < listing.lines.size())
            view.addLine(listing.lines[i]);
    }
}

bool fail(Session& session, Dialogs& dialogs, CompilerView* view, qint16 code, const QString& detail)
{
    if (!detail.isNull())
        session.ErrorDetail = detail;
    ShowError(session, dialogs, code);
    if (view)
        view->markFailed();
    return false;
}

} // namespace

bool WriteFile(Session& session, Dialogs& dialogs, CompilerView* view, const QString& destination,
               const QString& fileName)
{
    session.OutputReady = kSet;
    if (view)
        view->start();
    const KvListing listing = compileKv(session);
    if (view)
        showListing(*view, listing);

    // Too short a name leaves no base for the project file's name; a Tab or line break in it
    // makes a file no one can name again.
    if (destination.isEmpty() || fileName.size() < 3 || hasControlCharacter(fileName))
        return fail(session, dialogs, view, kErrNoFileName, QString());

    // Both images are made before either file is touched: a value that does not fit stops the
    // save with nothing written.
    QString tooLong;
    const std::optional<QByteArray> project = projectFileBytes(session, &tooLong);
    if (!project)
        return fail(session, dialogs, view, kErrValueTooLong, tooLong);
    const QByteArray kv = kvFileBytes(listing.lines);

    const QString kvPath = QDir(destination).filePath(fileName);
    const QString projectPath = projectFileForWriting(session, fileName);
    const auto failed = [&](const QString& path) {
        return fail(session, dialogs, view, kErrWriteFailed, QDir::toNativeSeparators(path));
    };

    // Neither file replaces its older copy until both have been written in full.
    QSaveFile kvFile(kvPath);
    if (!prepareSaveFile(kvFile, kv))
        return failed(kvPath);
    QSaveFile projectFile(projectPath);
    if (!QDir().mkpath(projectFolder(session)) || !prepareSaveFile(projectFile, *project))
        return failed(projectPath);
    if (!kvFile.commit())
        return failed(kvPath);
    if (!projectFile.commit())
        return failed(projectPath);
    return true;
}

QString destinationFolder(const QString& fileName, const QString& fileTitle)
{
    if (fileName.isEmpty())
        return QString();
    if (!fileTitle.isEmpty() && fileName.endsWith(fileTitle))
        return fileName.left(fileName.size() - fileTitle.size());
    // A dialog that gave a title not at the end of the name: take the folder of the full name.
    const QString folder = QFileInfo(fileName).path();
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
