#pragma once

#include <QString>
#include <QtGlobal>

class Session;

// Structural analysis: the degrees of freedom and the Assur groups of two links.

// Marks every record that repeats an earlier link name with "c", then W = WInitial = 3n - 2p over
// the moving links (the frame and the copies left out).
void CountDegreesOfFreedom(Session& s);

// Result codes of AnalyseGroup: 1 recorded; 0 a name is not a link; 100/101/102 the first link is
// the frame / a driving link / already grouped; 200/201/202 the same for the second link. The
// last two are ours: the records have no room for another group, or for the further pairs of one
// of the two links; nothing is written then.
inline constexpr qint16 kGroupRecorded = 1;
inline constexpr qint16 kGroupsFull = -1;
inline constexpr qint16 kExtraPairsFull = -2;

qint16 AnalyseGroup(Session& s, const QString& firstName, const QString& secondName);

// Whether a master link record is still in no group.
bool HasFreeLink(const Session& s);

// Takes a recorded group back: both links become free, the group slot is withdrawn.
void RemoveGroup(Session& s, const QString& firstName, const QString& secondName);

// The group type for the two links' pair-type codes ("1", "2", "3"), or empty text when no rule
// applies.
QString groupType(const QString& firstCode, const QString& secondCode);
