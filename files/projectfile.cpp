#include "files/projectfile.h"

#include "model/errors.h"
#include "files/projectformat.h"
#include "model/flags.h"
#include "model/session.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>

namespace {

constexpr qint16 kErrNotOurFile = 201;

void failLoad(Session& session, Dialogs& dialogs, qint16 code)
{
    session.ResetMechanism();
    session.GroupCount = 0;
    session.ExtraPairsFlag = kUnset;
    session.OutputReady = kUnset;
    ShowError(session, dialogs, code);
}

} // namespace

namespace {

// True when a file can be made in the folder (made first if need be). Asked of the folder itself:
// permissions alone say nothing on a read-only disk or to the superuser.
bool canWriteIn(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".write-test-XXXXXX")));
    return probe.open();
}

// "mech1.zvr" for "Mech1.kv"; empty when the title is too short.
QString projectFileName(const QString& kvFileName)
{
    const QString title = QFileInfo(kvFileName).fileName();
    if (title.size() < 3)
        return QString();
    // The base name drops the ".kv"; a title without one keeps every letter ("crank", not "cr").
    const bool kv = title.endsWith(QLatin1String(".kv"), Qt::CaseInsensitive);
    return (kv ? title.chopped(3) : title).toLower() + QStringLiteral(".zvr");
}

QByteArray fingerprint(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

} // namespace

QString projectFolder(const Session& session)
{
    if (session.ProjectFolders.isEmpty())
        return QDir(session.DataFolder).filePath(QStringLiteral("d_files"));
    for (const QString& folder : session.ProjectFolders)
        if (canWriteIn(folder))
            return folder;
    // Nowhere to write: the save reports the last place it tried.
    return session.ProjectFolders.last();
}

QString projectFileForWriting(const Session& session, const QString& kvFileName)
{
    const QString name = projectFileName(kvFileName);
    return name.isEmpty() ? QString() : QDir(projectFolder(session)).filePath(name);
}

QString projectFilePath(const Session& session, const QString& kvFileName)
{
    const QString name = projectFileName(kvFileName);
    if (name.isEmpty())
        return QString();
    // A save goes to the first folder that can be written at the time, so an older copy may lie
    // in a folder looked in before it: the copy saved last is the one the student means.
    QString newest;
    QDateTime newestTime;
    for (const QString& folder : session.ProjectFolders) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile() && (newest.isEmpty() || file.lastModified() > newestTime)) {
            newest = file.filePath();
            newestTime = file.lastModified();
        }
    }
    return newest.isEmpty() ? projectFileForWriting(session, kvFileName) : newest;
}

bool isOwnProject(const Session& session, const QString& path)
{
    const auto own = session.OwnProjects.constFind(QFileInfo(path).absoluteFilePath());
    if (own == session.OwnProjects.cend())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && fingerprint(file.readAll()) == *own;
}

void claimProject(Session& session, const QString& path, const QByteArray& bytes)
{
    session.OwnProjects.insert(QFileInfo(path).absoluteFilePath(), fingerprint(bytes));
}

void adoptProject(Session& session, Session& read)
{
    session.Paras = std::move(read.Paras);
    session.ParaCount = read.ParaCount;
    session.Zvenos = std::move(read.Zvenos);
    session.ZvenoCount = read.ZvenoCount;
    session.Groups = std::move(read.Groups);
    session.GroupCount = read.GroupCount;
    session.FrameIndex = read.FrameIndex;
    session.ForceAnalysis = read.ForceAnalysis;
    session.MorePoints = read.MorePoints;
    session.ExtraPairsFlag = read.ExtraPairsFlag;
    session.OutputReady = kSet;
}

ReadResult readProjectAt(const QString& path, Session& session, QString* errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return ReadResult::Unopened;
    }
    // No valid file is longer than every array full; reading stops there whatever the file holds.
    const QByteArray bytes = file.read(qint64(kMaxProjectRecords) * kProjectRecordSize);
    file.close();
    if (bytes.isEmpty())
        return ReadResult::Empty;
    // Read into a fresh mechanism first, so a damaged file never leaves half of one behind.
    auto loaded = std::make_unique<Session>();
    loaded->ResetMechanism();
    if (!readProjectBytes(bytes, *loaded))
        return ReadResult::Damaged;
    adoptProject(session, *loaded);
    claimProject(session, path, bytes);
    return ReadResult::Read;
}

LoadResult LoadFile(Session& session, Dialogs& dialogs, const QString& /*filepath*/, const QString& fileName)
{
    session.ResetMechanism();
    const QString path = projectFilePath(session, fileName);
    const ReadResult read = path.isEmpty() ? ReadResult::Unopened : readProjectAt(path, session);
    if (read == ReadResult::Read)
        return LoadResult::Loaded;
    const bool missing = read == ReadResult::Unopened;
    failLoad(session, dialogs, missing ? kErrNotOurFile : kErrProjectDamaged);
    return missing ? LoadResult::Missing : LoadResult::Damaged;
}
