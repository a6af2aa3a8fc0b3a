#include "wizard/mechanism.h"

#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"

qint16 firstLink(const Session& s, const QString& name)
{
    for (qint16 i = 1; i <= zvenoCount(s); ++i)
        if (s.Zvenos[i].Name == name)
            return i;
    return 0;
}

qint16 NewPair(Session& s, const QString& type)
{
    const qint16 slot = s.addPara();
    if (slot == 0)
        return 0;
    // The slot may hold a pair that was taken back: start it afresh.
    s.Paras[slot] = PARA{};
    s.Paras[slot].ParaType = type.toLower();
    return slot;
}

qint16 AddPairLink(Session& s, const QString& name, int which)
{
    if (s.ParaCount < 1)
        return 0;
    const qint16 slot = s.addZveno();
    if (slot == 0)
        return 0;
    // A link record taken back by undo keeps its points and pairs otherwise; start it afresh, as
    // a new description leaves it.
    ZVENO& z = s.Zvenos[slot];
    z = ZVENO{};
    z.GroupNo = -1;
    z.Perpendicular = kNotSet;
    z.TwafzCount = -1;
    z.Name = name;
    PARA& p = s.Paras[s.ParaCount];
    (which == 1 ? p.Zveno1 : p.Zveno2) = name;
    return slot;
}

void SetPairName(Session& s, const QString& name)
{
    if (s.ParaCount >= 1)
        s.Paras[s.ParaCount].Name = name;
}

void ClearFrame(Session& s)
{
    for (int i = 1; i <= zvenoCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (z.IsFrame != kUnset) {
            z.IsFrame = kUnset;
            z.GroupNo = -1;
            return;
        }
    }
}

// Sets a flag on the first link of the name, which then belongs to no group; its slot, or 0.
static qint16 markLink(Session& s, const QString& name, float ZVENO::*flag)
{
    const qint16 i = firstLink(s, name);
    if (i != 0) {
        s.Zvenos[i].*flag = kSet;
        s.Zvenos[i].GroupNo = 0;
    }
    return i;
}

int SetFrame(Session& s, const QString& name)
{
    const qint16 i = markLink(s, name, &ZVENO::IsFrame);
    if (i == 0)
        return 0;
    s.FrameIndex = i;
    return 1;
}

void ClearDriving(Session& s)
{
    for (int i = 1; i <= zvenoCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (z.IsDriving != kUnset) {
            z.IsDriving = kUnset;
            z.GroupNo = -1;
        }
    }
}

int SetDriving(Session& s, const QString& name)
{
    return markLink(s, name, &ZVENO::IsDriving) == 0 ? 0 : 1;
}

void RebuildPairLinks(Session& s)
{
    for (int i = 1; i < kSlots; ++i) {
        ZVENO& z = s.Zvenos[i];
        z.ZType.clear();
        if (!isFrameLink(z) && !isDrivingLink(z))
            z.GroupNo = -1;
    }
    s.GroupCount = 0;
    for (qint16 i = 1; i <= paraCount(s); ++i) {
        PARA& p = s.Paras[i];
        for (qint16 j = 1; j <= zvenoCount(s); ++j) {
            ZVENO& z = s.Zvenos[j];
            if (z.Name == p.Zveno1) {
                p.Zveno1Index = j;
                z.Para2Index = i;
                z.Para2 = p.Name;
                z.ZType += p.ParaType;
            }
            if (z.Name == p.Zveno2) {
                p.Zveno2Index = j;
                z.Para1Index = i;
                z.Para1 = p.Name;
                z.ZType += p.ParaType;
            }
        }
    }
    s.ExtraPairsFlag = kUnset;
}

bool CanAddPoint(const Session& s, const QString& linkName)
{
    const qint16 i = firstLink(s, linkName);
    return i == 0 || s.Zvenos[i].DPCount < kMaxSubRecords;
}

int AddPoint(Session& s, const QString& linkName, const QString& pointName, const QString& kind)
{
    const qint16 i = firstLink(s, linkName);
    if (i == 0)
        return 0;
    const qint16 slot = s.addPoint(i);
    if (slot == 0)
        return kPointsFull;
    s.Zvenos[i].DP[slot].Kind = kind;
    s.Zvenos[i].DP[slot].Name = pointName;
    return 1;
}

namespace {

// The last record of an array, taken off its count; nothing when the array is empty.
template <typename Record>
Record* dropLast(std::array<Record, kSlots>& records, qint16& count)
{
    return count < 1 ? nullptr : &records[count--];
}

} // namespace

void DropLastPair(Session& s)
{
    if (PARA* p = dropLast(s.Paras, s.ParaCount))
        for (QString* t : {&p->ParaType, &p->Name, &p->Zveno1, &p->Zveno2})
            t->clear();
}

void DropLastLink(Session& s)
{
    if (ZVENO* z = dropLast(s.Zvenos, s.ZvenoCount)) {
        for (QString* t : {&z->Name, &z->CM, &z->Mark})
            t->clear();
        z->IsFrame = kUnset;
        z->IsDriving = kUnset;
    }
}

void ForgetDroppedRecords(Session& s)
{
    const auto lastLink = [&s](const QString& name) {
        qint16 found = 0;
        for (qint16 j = 1; j <= zvenoCount(s); ++j)
            if (s.Zvenos[j].Name == name)
                found = j;
        return found;
    };
    for (int i = 1; i <= paraCount(s); ++i) {
        PARA& p = s.Paras[i];
        if (p.Zveno1Index > s.ZvenoCount)
            p.Zveno1Index = lastLink(p.Zveno1);
        if (p.Zveno2Index > s.ZvenoCount)
            p.Zveno2Index = lastLink(p.Zveno2);
    }
    bool groupsBroken = false;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        ZVENO& z = s.Zvenos[i];
        if (z.Para1Index > s.ParaCount) {
            z.Para1Index = 0;
            z.Para1.clear();
        }
        if (z.Para2Index > s.ParaCount) {
            z.Para2Index = 0;
            z.Para2.clear();
        }
    }
    for (int g = 1; g <= groupCount(s); ++g)
        if (s.Groups[g].Zveno1Index > s.ZvenoCount || s.Groups[g].Zveno2Index > s.ZvenoCount)
            groupsBroken = true;
    if (groupsBroken) {
        // The groups named links that are gone: the structure is named again after the frame.
        s.GroupCount = 0;
        for (int i = 1; i < kSlots; ++i)
            if (s.Zvenos[i].GroupNo > 0)
                s.Zvenos[i].GroupNo = -1;
    }
    if (s.FrameIndex > s.ZvenoCount)
        s.FrameIndex = 0;
}

int RemoveLastPoint(Session& s, const QString& linkName)
{
    const qint16 i = firstLink(s, linkName);
    if (i != 0 && s.Zvenos[i].DPCount > 0) {
        ZVENO& z = s.Zvenos[i];
        z.DP[z.DPCount].Kind.clear();
        z.DP[z.DPCount].Name.clear();
        --z.DPCount;
    }
    for (int j = 1; j <= zvenoCount(s); ++j)
        if (s.Zvenos[j].DPCount > 0)
            return 1;
    return 0;
}
