#include "model/recordaccess.h"

#include <QSet>

#include "model/flags.h"
#include "model/session.h"

#include <algorithm>

int paraCount(const Session& session)
{
    return std::clamp<int>(session.ParaCount, 0, kMaxRecords);
}

int zvenoCount(const Session& session)
{
    return std::clamp<int>(session.ZvenoCount, 0, kMaxRecords);
}

int groupCount(const Session& session)
{
    return std::clamp<int>(session.GroupCount, 0, kMaxRecords);
}

int movingLinkCount(const Session& s)
{
    QSet<QString> seen;
    int n = 0;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        if (!seen.contains(z.Name) && z.IsFrame == kUnset)
            ++n;
        seen.insert(z.Name);
    }
    return n;
}

int subCount(qint16 count)
{
    return std::clamp<int>(count, 0, kMaxSubRecords);
}

bool validIndex(qint16 index, qint16 count)
{
    return index >= 1 && index <= count && index < kSlots;
}

namespace {

template <typename Record>
const Record& recordAt(const std::array<Record, kSlots>& records, qint16 index)
{
    static const Record empty;
    return index >= 0 && index < kSlots ? records[index] : empty;
}

// Stage 2 names a pair only when it is one of the counted ones.
QString countedPairName(const Session& s, qint16 index)
{
    return validIndex(index, s.ParaCount) ? s.Paras[index].Name : QString();
}

// Stage 2's "on the frame": one of the pair's link indices names a counted link of the frame's name.
bool touchesFrame(const Session& s, qint16 pair, const QString& frame)
{
    if (!validIndex(pair, s.ParaCount))
        return false;
    const PARA& p = s.Paras[pair];
    const auto onFrame = [&](qint16 z) { return validIndex(z, s.ZvenoCount) && s.Zvenos[z].Name == frame; };
    return onFrame(p.Zveno1Index) || onFrame(p.Zveno2Index);
}

// The tree measures from the link's first main pair unless only the second lies on the frame.
bool secondPairIsBase(const Session& session, const ZVENO& z)
{
    return !pairOnFrame(session, z.Para1Index) && pairOnFrame(session, z.Para2Index);
}

} // namespace

const PARA& paraAt(const Session& session, qint16 index)
{
    return recordAt(session.Paras, index);
}

const ZVENO& zvenoAt(const Session& session, qint16 index)
{
    return recordAt(session.Zvenos, index);
}

const GROUP& groupAt(const Session& session, qint16 index)
{
    return recordAt(session.Groups, index);
}

QString frameName(const Session& session)
{
    return zvenoAt(session, session.FrameIndex).Name;
}

QString countedFrameName(const Session& session)
{
    return validIndex(session.FrameIndex, session.ZvenoCount) ? session.Zvenos[session.FrameIndex].Name : QString();
}

bool pairOnFrame(const Session& session, qint16 pair)
{
    const PARA& p = paraAt(session, pair);
    const QString frame = frameName(session);
    return p.Zveno1 == frame || p.Zveno2 == frame;
}

BasePairs BaseAndOtherPair(const Session& s, int zveno)
{
    if (zveno < 1 || zveno >= kSlots)
        return {};
    const ZVENO& z = s.Zvenos[zveno];
    const QString frame = countedFrameName(s);
    const QString first = countedPairName(s, z.Para1Index);
    const QString second = countedPairName(s, z.Para2Index);
    if (touchesFrame(s, z.Para2Index, frame))
        return {second, first};
    return {first, second};
}

QuestionEnds questionEnds(const Session& s, const ZVENO& z)
{
    if (pairOnFrame(s, z.Para2Index))
        return {z.Para2, z.Para1};
    return {z.Para1, z.Para2};
}

QString BasePair(const Session& session, qint16 link)
{
    const ZVENO& z = zvenoAt(session, link);
    return paraAt(session, secondPairIsBase(session, z) ? z.Para2Index : z.Para1Index).Name;
}

QString OtherPair(const Session& session, qint16 link)
{
    const ZVENO& z = zvenoAt(session, link);
    return paraAt(session, secondPairIsBase(session, z) ? z.Para1Index : z.Para2Index).Name;
}

GuidePairs revoluteAndGuide(const ZVENO& z)
{
    if (z.ZType == kPrismaticRevolute)
        return {z.Para2, z.Para1};
    return {z.Para1, z.Para2};
}

GuidePairs RevoluteAndGuide(const Session& s, int zveno)
{
    if (zveno < 1 || zveno >= kSlots)
        return {};
    return revoluteAndGuide(s.Zvenos[zveno]);
}
