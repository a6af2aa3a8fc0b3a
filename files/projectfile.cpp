#include "projectfile.h"

#include "errors.h"
#include "projectformat.h"
#include "session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

constexpr qint16 kErrNotOurFile = 201;

void failLoad(Session& session, Dialogs& dialogs, qint16 code)
{
    session.ResetMechanism();
    session.GroupCount = 0;
    session.ExtraPairsFlag = 0.0f;
    session.OutputReady = 0.0f;
    ShowError(session, dialogs, code);
}

} // namespace

QString projectFolder(const Session& session)
{
    return QDir(session.DataFolder).filePath(QStringLiteral("d_files"));
}

QString projectFilePath(const Session& session, const QString& kvFileName)
{
    const QString title = QFileInfo(kvFileName).fileName();
    if (title.size() < 3)
        return QString();
    // The base name drops the last three characters whatever they are: "mech" gives "m".
    const QString base = title.left(title.size() - 3).toLower();
    return QDir(projectFolder(session)).filePath(base + QStringLiteral(".zvr"));
}

LoadResult LoadFile(Session& session, Dialogs& dialogs, const QString& /*filepath*/, const QString& fileName)
{
    session.ResetMechanism();
    const QString path = projectFilePath(session, fileName);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        failLoad(session, dialogs, kErrNotOurFile);
        return LoadResult::Missing;
    }
    // No valid file is longer than every array full; reading stops there whatever the file holds.
    const QByteArray bytes = file.read(qint64(kMaxProjectRecords) * kProjectRecordSize);
    file.close();

    // Read into a fresh mechanism first, so a damaged file never leaves half of one behind.
    auto loaded = std::make_unique<Session>();
    loaded->ResetMechanism();
    if (!readProjectBytes(bytes, *loaded)) {
        failLoad(session, dialogs, kErrProjectDamaged);
        return LoadResult::Damaged;
    }
    session.Paras = std::move(loaded->Paras);
    session.ParaCount = loaded->ParaCount;
    session.Zvenos = std::move(loaded->Zvenos);
    session.ZvenoCount = loaded->ZvenoCount;
    session.Groups = std::move(loaded->Groups);
    session.GroupCount = loaded->GroupCount;
    session.FrameIndex = loaded->FrameIndex;
    session.ForceAnalysis = loaded->ForceAnalysis;
    session.MorePoints = loaded->MorePoints;
    session.ExtraPairsFlag = loaded->ExtraPairsFlag;
    session.OutputReady = 1.0f;
    return LoadResult::Loaded;
}
