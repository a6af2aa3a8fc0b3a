#include "wizard/panels.h"

#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"

namespace {

const QString kRule = QStringLiteral("===================");

// A link's name through a stored index; an index that points nowhere shows nothing.
QString linkName(const Session& s, qint16 index)
{
    return validIndex(index, kMaxRecords) ? s.Zvenos[index].Name : QString();
}

QString flag(float value)
{
    return QString::number(double(value));
}

} // namespace

QStringList Show_PARAS(const Session& s)
{
    QStringList lines;
    for (int i = 1; i <= paraCount(s); ++i) {
        const PARA& p = s.Paras[i];
        lines << kRule << QStringLiteral("Пара: тип - ") + p.ParaType << QStringLiteral("Пара: звено1 - ") + p.Zveno1
              << QStringLiteral("Пара: звено2 - ") + p.Zveno2
              << QStringLiteral("Пара: звено1 - ") + linkName(s, p.Zveno1Index)
              << QStringLiteral("Пара: звено2 - ") + linkName(s, p.Zveno2Index) << QStringLiteral("Пара: имя - ") + p.Name
              << QStringLiteral("Пара: X = ") + p.X << QStringLiteral("Пара: Y = ") + p.Y << kRule;
    }
    return lines;
}

QStringList Show_ZVENOS(const Session& s)
{
    QStringList lines;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        if (isCopyLink(z))
            continue;
        lines << kRule << QStringLiteral("Звено: имя - ") + z.Name << QStringLiteral("Звено: стойка - ") + flag(z.IsFrame)
              << QStringLiteral("Звено: начальное - ") + flag(z.IsDriving) << QStringLiteral("Звено: центр масс - ") + z.CM
              << QStringLiteral("Звено: группа - ") + QString::number(z.GroupNo)
              << QStringLiteral("Звено: пара 1 - ") + z.Para1 << QStringLiteral("Звено: пара 2 - ") + z.Para2
              << QStringLiteral("Звено: тип - ") + z.ZType;
        for (int j = 1; j <= subCount(z.DPCount); ++j)
            lines << QStringLiteral("\tДоп точка: имя ") + z.DP[j].Name << QStringLiteral("\tДоп точка: тип ") + z.DP[j].Kind;
        lines << kRule;
    }
    return lines;
}
