#include "wizard/structure.h"

#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"

#include <QList>

namespace {

// The master record of a link name: the first record of the name that is not a copy, or 0.
qint16 masterLink(const Session& s, const QString& name)
{
    for (qint16 i = 1; i <= zvenoCount(s); ++i)
        if (!isCopyLink(s.Zvenos[i]) && s.Zvenos[i].Name == name)
            return i;
    return 0;
}

bool isFrameName(const Session& s, const QString& name)
{
    const qint16 i = masterLink(s, name);
    return i != 0 && isFrameLink(s.Zvenos[i]);
}

// What the group analysis will write into one link, worked out before anything is written so
// that a refusal leaves the records as they were.
struct LinkPlan {
    QString zType;
    QString para2;
    qint16 para2Index = 0;
    bool cut = false;
    QList<qint16> further; // pair indices, in pair order
};

LinkPlan planLink(const Session& s, qint16 index)
{
    const ZVENO& z = s.Zvenos[index];
    LinkPlan plan{z.ZType, z.Para2, z.Para2Index, false, {}};
    // A link of more than two pairs keeps the letter of its first pair and those of its pairs
    // with the frame; its frame pair becomes its second main pair.
    if (plan.zType.size() > 2) {
        plan.cut = true;
        plan.zType = plan.zType.left(1);
        for (qint16 k = 1; k <= paraCount(s); ++k) {
            const PARA& p = s.Paras[k];
            for (int side = 0; side < 2; ++side) {
                const QString& self = side == 0 ? p.Zveno1 : p.Zveno2;
                const QString& other = side == 0 ? p.Zveno2 : p.Zveno1;
                if (self == z.Name && isFrameName(s, other)) {
                    plan.zType += p.ParaType;
                    plan.para2 = p.Name;
                    plan.para2Index = k;
                }
            }
        }
    }
    for (qint16 k = 1; k <= paraCount(s); ++k) {
        const PARA& p = s.Paras[k];
        if ((p.Zveno1 == z.Name || p.Zveno2 == z.Name) && p.Name != plan.para2 && p.Name != z.Para1)
            plan.further << k;
    }
    return plan;
}

void applyPlan(Session& s, qint16 index, const LinkPlan& plan)
{
    ZVENO& z = s.Zvenos[index];
    if (plan.cut) {
        s.ExtraPairsFlag = kSet;
        z.ZType = plan.zType;
        z.Para2 = plan.para2;
        z.Para2Index = plan.para2Index;
    }
    z.TwafzCount = 0;
    for (qint16 k : plan.further) {
        const qint16 slot = s.addTwafz(index);
        z.TwafzName[slot] = s.Paras[k].Name;
        z.TwafzIndex[slot] = QString::number(k);
    }
}

} // namespace

void CountDegreesOfFreedom(Session& s)
{
    const int count = zvenoCount(s);
    for (int i = 1; i <= count; ++i)
        s.Zvenos[i].Mark.clear();
    for (int i = 1; i <= count; ++i) {
        if (!s.Zvenos[i].Mark.isEmpty())
            continue;
        for (int j = 1; j <= count; ++j)
            if (j != i && s.Zvenos[j].Name == s.Zvenos[i].Name)
                s.Zvenos[j].Mark = kCopyMark;
    }
    s.W = qint16(3 * movingLinkCount(s) - 2 * s.ParaCount);
    s.WInitial = s.W;
}

QString groupType(const QString& c1, const QString& c2)
{
    const bool r1 = c1 == kRevoluteLink;
    const bool r2 = c2 == kRevoluteLink;
    const bool p1 = isPrismaticType(c1);
    const bool p2 = isPrismaticType(c2);
    if (r1 && r2)
        return QStringLiteral("1");
    if ((r1 && p2) || (p1 && r2))
        return QStringLiteral("2");
    if (p1 && p2)
        return QStringLiteral("3");
    return QString();
}

// Why a link cannot join a group: base for the frame, base + 1 for a driving link, base + 2 for a
// link already in a group; 0 when it can.
static qint16 refusal(const ZVENO& z, qint16 base)
{
    if (isFrameLink(z))
        return base;
    if (isDrivingLink(z))
        return qint16(base + 1);
    if (z.GroupNo != -1)
        return qint16(base + 2);
    return 0;
}

qint16 AnalyseGroup(Session& s, const QString& firstName, const QString& secondName)
{
    qint16 link1 = 0;
    qint16 link2 = 0;
    for (qint16 i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        if (isCopyLink(z))
            continue;
        if (z.Name == firstName) {
            if (const qint16 refused = refusal(z, 100))
                return refused;
            link1 = i;
        }
        if (z.Name == secondName) {
            if (const qint16 refused = refusal(z, 200))
                return refused;
            link2 = i;
        }
    }
    if (link1 == 0 || link2 == 0)
        return 0;

    if (s.GroupCount >= kMaxRecords)
        return kGroupsFull;
    const LinkPlan plan1 = planLink(s, link1);
    const LinkPlan plan2 = planLink(s, link2);
    if (plan1.further.size() > kMaxSubRecords || plan2.further.size() > kMaxSubRecords)
        return kExtraPairsFull;

    const qint16 g = s.addGroup();
    s.Groups[g].Zveno1Index = link1;
    s.Groups[g].Zveno2Index = link2;
    applyPlan(s, link1, plan1);
    applyPlan(s, link2, plan2);
    const QString type = groupType(s.Zvenos[link1].ZType, s.Zvenos[link2].ZType);
    if (!type.isEmpty())
        s.Groups[g].GType = type;
    s.Groups[g].Name = QString::number(g);
    s.Zvenos[link1].GroupNo = g;
    s.Zvenos[link2].GroupNo = g;
    return kGroupRecorded;
}

bool HasFreeLink(const Session& s)
{
    for (int i = 1; i <= zvenoCount(s); ++i)
        if (!isCopyLink(s.Zvenos[i]) && s.Zvenos[i].GroupNo == -1)
            return true;
    return false;
}

void RemoveGroup(Session& s, const QString& firstName, const QString& secondName)
{
    for (int i = 1; i <= zvenoCount(s); ++i)
        if (s.Zvenos[i].Name == firstName || s.Zvenos[i].Name == secondName)
            s.Zvenos[i].GroupNo = -1;
    const qint16 link1 = masterLink(s, firstName);
    const qint16 link2 = masterLink(s, secondName);
    for (int g = 1; g <= groupCount(s); ++g) {
        GROUP& group = s.Groups[g];
        if (group.Zveno1Index == link1 && group.Zveno2Index == link2) {
            group.Name = QStringLiteral("-1");
            group.Zveno1Index = -1;
            group.Zveno2Index = -1;
            --s.GroupCount;
            return;
        }
    }
}
