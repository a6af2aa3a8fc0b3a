#pragma once

#include <QString>
#include <QtGlobal>

class Session;
struct GROUP;
struct PARA;
struct ZVENO;

// Loop bounds that never leave the arrays, whatever a damaged count says: 0..64 records,
// 0..32 additional pairs or points of a link.
int paraCount(const Session& session);
int zvenoCount(const Session& session);
int groupCount(const Session& session);
// The moving links as the degrees of freedom count them: each link name once, by its first record,
// the frame left out.
int movingLinkCount(const Session& session);
int subCount(qint16 count);

// An index that names one of the first count records (and a slot of the array).
bool validIndex(qint16 index, qint16 count);

// Records by index with the array's bounds respected: an index outside 0..64 reads as an empty
// record instead of running off the array (slot 0 is the empty record of every array).
const PARA& paraAt(const Session& session, qint16 index);
const ZVENO& zvenoAt(const Session& session, qint16 index);
const GROUP& groupAt(const Session& session, qint16 index);

// The name in the frame's slot, whatever the link count says (the free-edit tree and editor).
QString frameName(const Session& session);
// The frame's name only when FrameIndex is one of the counted links, else empty (stage 2).
QString countedFrameName(const Session& session);

// A pair record "lies on the frame" when one of its links is named like the frame link.
bool pairOnFrame(const Session& session, qint16 pair);

// Where lengths and angles on a link are measured from. The rules keep three variants; each is
// used where named and none may stand in for another.

// Stage-2 questions (wizard/stage2): the base pair B and the other pair O of a link. B is its pair
// on the frame when it has one (the second main pair when both are), otherwise its first main
// pair. "On the frame" is decided by the pair's link indices among the counted links; the names
// are those of the counted pair records. Empty names for unset indices.
struct BasePairs {
    QString base;
    QString other;
};
BasePairs BaseAndOtherPair(const Session& session, int zveno);

// The free-edit editor's questions (freeedit/nodeeditor): the pair found on the frame by link name
// last wins, so when both lie on the frame the second is the base; the names are the link's own
// Para1/Para2 texts.
struct QuestionEnds {
    QString B;
    QString O;
};
QuestionEnds questionEnds(const Session& session, const ZVENO& z);

// The free-edit tree's texts (freeedit/mechanismtree): the first main pair is the base unless only
// the second lies on the frame (by link name); names of the pair records.
QString BasePair(const Session& session, qint16 link);
QString OtherPair(const Session& session, qint16 link);

// The revolute pair R and the prismatic pair G of an "rp"/"pr" link, taken as written:
// R = Para1, G = Para2 for "rp" (and any other type); R = Para2, G = Para1 for "pr".
struct GuidePairs {
    QString revolute;
    QString guide;
};
GuidePairs RevoluteAndGuide(const Session& session, int zveno);
GuidePairs revoluteAndGuide(const ZVENO& z);
