#pragma once

#include "model/session.h"
#include "wizard/mechanism.h"
#include "wizard/structure.h"

#include <QStringList>

// Builds the records the way stage 1 does from the pairs as the student types them, "type link
// link name" for each pair: the pairs, then the frame (with the degrees of freedom) and the
// driving links.
inline void buildMechanism(Session& s, const QString& pairs, const QString& frame, const QStringList& driving = {})
{
    s.NewMechanism();
    const QStringList f = pairs.split(QLatin1Char(' '));
    for (qsizetype i = 0; i + 3 < f.size(); i += 4) {
        NewPair(s, f.at(i));
        AddPairLink(s, f.at(i + 1), 1);
        AddPairLink(s, f.at(i + 2), 2);
        SetPairName(s, f.at(i + 3));
    }
    SetFrame(s, frame);
    CountDegreesOfFreedom(s);
    for (const QString& d : driving) {
        SetDriving(s, d);
        RebuildPairLinks(s);
    }
}
