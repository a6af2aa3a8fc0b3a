#include "shell/filenames.h"

#include "files/writefile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns =
            i + 1 < parts.size() ? parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' ')).simplified()
                                 : QString();
        if (patterns.isEmpty()) {
            if (!description.isEmpty())
                entries << description;
            continue;
        }
        // "Файлы KVERTA (*.kv)" already names its pattern; do not show it twice.
        static const QRegularExpression trailing(QStringLiteral("\\s*\\(([^()]*)\\)$"));
        const QRegularExpressionMatch m = trailing.match(description);
        if (m.hasMatch() && m.captured(1).simplified() == patterns)
            description.truncate(m.capturedStart());
        if (description.isEmpty())
            description = patterns;
        entries << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

FileChoice fileChoiceFor(const QString& fullName)
{
    if (fullName.isEmpty())
        return {};
    return {fullName, QFileInfo(fullName).fileName()};
}

QString folderOf(const FileChoice& choice)
{
    return destinationFolder(choice.fileName, choice.fileTitle);
}

bool hasKvExtension(const QString& fileName)
{
    return fileName.right(3).toLower() == QLatin1String(".kv");
}
