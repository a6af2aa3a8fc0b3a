#pragma once

#include "wizard/mechanism.h"
#include "model/session.h"
#include "wizard/structure.h"

#include <QStringList>

// Mechanisms as the student types their pairs, "type link link name" for each pair.
inline const QString kFourBar = QStringLiteral("r 0 1 A r 1 2 B R 2 3 C r 3 0 D");
// Links 2-3 and 4-5 form two groups after the crank 1; link 2 has three pairs (B, C, E).
inline const QString kSixBar = QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 0 D r 2 4 E r 4 5 F p 5 0 G");
inline const QString kFiveBar = QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 4 D r 4 0 E"); // W = 2
inline const QString kTriangle = QStringLiteral("r 0 1 A r 1 2 B r 2 0 C");            // W = 0
inline const QString kCrank = QStringLiteral("p 0 1 A");

// Builds the records the way stage 1 does: the pairs, then the frame (with the degrees of
// freedom) and the driving links.
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
