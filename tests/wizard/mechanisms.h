#pragma once

#include "mechanism.h"
#include "session.h"
#include "structure.h"

#include <QStringList>

// Builds a mechanism in the records the way stage 1 does: one pair per "type l1 l2 name" entry,
// then the frame (with the degrees of freedom) and the driving links.
inline void buildMechanism(Session& s, const QStringList& pairs, const QString& frame, const QStringList& driving)
{
    s.NewMechanism();
    s.GroupCount = 0;
    for (const QString& entry : pairs) {
        const QStringList f = entry.split(QLatin1Char(' '));
        NewPair(s, f.at(0));
        AddPairLink(s, f.at(1), 1);
        AddPairLink(s, f.at(2), 2);
        SetPairName(s, f.at(3));
    }
    for (int i = 1; i < kSlots; ++i)
        s.Zvenos[i].GroupNo = -1;
    SetFrame(s, frame);
    CountDegreesOfFreedom(s);
    for (const QString& d : driving) {
        SetDriving(s, d);
        RebuildPairLinks(s);
    }
}

inline const QStringList& fourBar()
{
    static const QStringList pairs = {QStringLiteral("r 0 1 A"), QStringLiteral("r 1 2 B"), QStringLiteral("r 2 3 C"),
                                      QStringLiteral("r 3 0 D")};
    return pairs;
}

// Links 2-3 and 4-5 form two groups after the crank 1.
inline const QStringList& sixBar()
{
    static const QStringList pairs = {QStringLiteral("r 0 1 A"), QStringLiteral("r 1 2 B"), QStringLiteral("r 2 3 C"),
                                      QStringLiteral("r 3 0 D"), QStringLiteral("r 2 4 E"), QStringLiteral("r 4 5 F"),
                                      QStringLiteral("p 5 0 G")};
    return pairs;
}
