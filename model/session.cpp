#include "model/session.h"

#include "model/flags.h"
#include "model/recordaccess.h"

namespace {

void setAll(std::array<QString, kSubSlots>& texts, const QString& value)
{
    for (int j = 1; j < kSubSlots; ++j)
        texts[j] = value;
}

// The next slot of an array counted by count, or 0 when the array is full.
qint16 nextSlot(qint16& count, qint16 last)
{
    if (count >= last)
        return 0;
    return ++count;
}

} // namespace

void Session::clearRecords()
{
    Paras.fill(PARA{});
    Zvenos.fill(ZVENO{});
    Groups.fill(GROUP{});
    ParaCount = 0;
    ZvenoCount = 0;
}

void Session::NewMechanism()
{
    clearRecords();
    for (int i = 1; i < kSlots; ++i) {
        ZVENO& z = Zvenos[i];
        z.GroupNo = -1;
        z.Perpendicular = kNotSet;
        z.TwafzCount = -1; // group analysis has not worked it out yet
        z.ZType.clear();
    }
}

void Session::ResetMechanism()
{
    clearRecords();
    for (int i = 1; i < kSlots; ++i) {
        ZVENO& z = Zvenos[i];
        for (QString* t : {&z.Name, &z.Para1, &z.Para2, &z.ZType, &z.ZLength, &z.OnGuide, &z.Clockwise,
                           &z.Spare1, &z.Perpendicular, &z.CM, &z.CMLength, &z.CMAngle, &z.Spare2, &z.Spare3,
                           &z.Spare4, &z.Mark, &z.Mass, &z.Moment, &z.MomentVn})
            *t = kNotSet;
        setAll(z.TwafzName, kNotSet);
        setAll(z.TwafzIndex, kNotSet);
        setAll(z.TwafzLength, kNotSet);
        setAll(z.TwafzAngle, kNotSet);
        for (int j = 1; j < kSubSlots; ++j) {
            DOP_POINT& p = z.DP[j];
            p = DOP_POINT{kNotSet, kNotSet, kNotSet, kNotSet, kNotSet, kNotSet};
        }
        z.TwafzCount = 0;
        z.DPCount = 0;
        z.GroupNo = 0;
        z.IsFrame = kUnset;
        z.IsDriving = kUnset;
        z.Para1Index = -2;
        z.Para2Index = -2;

        Paras[i] = PARA{kNotSet, kNotSet, -2, kNotSet, -2, kNotSet, kNotSet, kNotSet, kNotSet};
        Groups[i] = GROUP{kNotSet, -2, -2, kNotSet, kNotSet, kNotSet};
    }
}

qint16 Session::addPara()
{
    return nextSlot(ParaCount, kMaxRecords);
}

qint16 Session::addZveno()
{
    return nextSlot(ZvenoCount, kMaxRecords);
}

qint16 Session::addGroup()
{
    return nextSlot(GroupCount, kMaxRecords);
}

qint16 Session::addTwafz(qint16 zveno)
{
    if (!validIndex(zveno, kMaxRecords))
        return 0;
    qint16& count = Zvenos[zveno].TwafzCount;
    if (count < 0)
        count = 0; // not worked out yet: this one is the first
    return nextSlot(count, kMaxSubRecords);
}

qint16 Session::addPoint(qint16 zveno)
{
    return validIndex(zveno, kMaxRecords) ? nextSlot(Zvenos[zveno].DPCount, kMaxSubRecords) : qint16(0);
}
