#include "wizard/structure.h"

#include "model/session.h"

#include <QList>

namespace {

const QString kCopy = QStringLiteral("c");

bool isCopy(const ZVENO& z)
{
    return z.Mark == kCopy;
}

// The master record of a link name: the first record of the name that is not a copy, or 0.
qint16 masterLink(const Session& s, const QString& name)
{
    for (qint16 i = 1; i <= s.ZvenoCount && i < kSlots; ++i)
        if (!isCopy(s.Zvenos[i]) && s.Zvenos[i].Name == name)
            return i;
    return 0;
}

bool isFrameLink(const Session& s, const QString& name)
{
    const qint16 i = masterLink(s, name);
    return i != 0 && s.Zvenos[i].IsFrame == 1.0f;
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
        for (qint16 k = 1; k <= s.ParaCount && k < kSlots; ++k) {
            const PARA& p = s.Paras[k];
            for (int side = 0; side < 2; ++side) {
                const QString& self = side == 0 ? p.Zveno1 : p.Zveno2;
                const QString& other = side == 0 ? p.Zveno2 : p.Zveno1;
                if (self == z.Name && isFrameLink(s, other)) {
                    plan.zType += p.ParaType;
                    plan.para2 = p.Name;
                    plan.para2Index = k;
                }
            }
        }
    }
    for (qint16 k = 1; k <= s.ParaCount && k < kSlots; ++k) {
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
        s.ExtraPairsFlag = 1.0f;
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
    const int count = qMin<int>(s.ZvenoCount, kSlots - 1);
    for (int i = 1; i <= count; ++i)
        s.Zvenos[i].Mark.clear();
    for (int i = 1; i <= count; ++i) {
        if (!s.Zvenos[i].Mark.isEmpty())
            continue;
        for (int j = 1; j <= count; ++j)
            if (j != i && s.Zvenos[j].Name == s.Zvenos[i].Name)
                s.Zvenos[j].Mark = kCopy;
    }
    qint16 n = 0;
    for (int i = 1; i <= count; ++i)
        if (s.Zvenos[i].Mark.isEmpty() && s.Zvenos[i].IsFrame == 0.0f)
            ++n;
    s.W = qint16(3 * n - 2 * s.ParaCount);
    s.WInitial = s.W;
}

QString groupType(const QString& c1, const QString& c2)
{
    const QString rr = QStringLiteral("rr");
    const QString rp = QStringLiteral("rp");
    const QString pr = QStringLiteral("pr");
    const bool r1 = c1 == rr;
    const bool r2 = c2 == rr;
    const bool p1 = c1 == rp || c1 == pr;
    const bool p2 = c2 == rp || c2 == pr;
    if (r1 && r2)
        return QStringLiteral("1");
    if ((r1 && p2) || (p1 && r2))
        return QStringLiteral("2");
    if (p1 && p2)
        return QStringLiteral("3");
    return QString();
}

qint16 AnalyseGroup(Session& s, const QString& firstName, const QString& secondName)
{
    qint16 link1 = 0;
    qint16 link2 = 0;
    for (qint16 i = 1; i <= s.ZvenoCount && i < kSlots; ++i) {
        const ZVENO& z = s.Zvenos[i];
        if (isCopy(z))
            continue;
        if (z.Name == firstName) {
            if (z.IsFrame == 1.0f)
                return 100;
            if (z.IsDriving == 1.0f)
                return 101;
            if (z.GroupNo != -1)
                return 102;
            link1 = i;
        }
        if (z.Name == secondName) {
            if (z.IsFrame == 1.0f)
                return 200;
            if (z.IsDriving == 1.0f)
                return 201;
            if (z.GroupNo != -1)
                return 202;
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
    for (int i = 1; i <= s.ZvenoCount && i < kSlots; ++i)
        if (!isCopy(s.Zvenos[i]) && s.Zvenos[i].GroupNo == -1)
            return true;
    return false;
}

void RemoveGroup(Session& s, const QString& firstName, const QString& secondName)
{
    for (int i = 1; i <= s.ZvenoCount && i < kSlots; ++i)
        if (s.Zvenos[i].Name == firstName || s.Zvenos[i].Name == secondName)
            s.Zvenos[i].GroupNo = -1;
    const qint16 link1 = masterLink(s, firstName);
    const qint16 link2 = masterLink(s, secondName);
    for (int g = 1; g <= s.GroupCount && g < kSlots; ++g) {
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
