#pragma once

#include <QString>
#include <QtGlobal>

class Session;

// Record operations of stage 1 and of its undo. Links are found by exact name; "the first link"
// is the one with the lowest index.

// Result of AddPoint when the link already holds all the points it can.
inline constexpr int kPointsFull = -1;

// Index of the first link with that name, or 0.
qint16 firstLink(const Session& s, const QString& name);

// A new pair of the given type, stored in lower case. Returns its slot, or 0 when full.
qint16 NewPair(Session& s, const QString& type);
// A new link record named so, as the first (which 1) or second (which 2) link of the current
// pair. Returns its slot, or 0 when full.
qint16 AddPairLink(Session& s, const QString& name, int which);
void SetPairName(Session& s, const QString& name);

void ClearFrame(Session& s);
// 1 when a link of that name became the frame, 0 when there is none.
int SetFrame(Session& s, const QString& name);
void ClearDriving(Session& s);
// 1 when a link of that name became a driving link, 0 when there is none.
int SetDriving(Session& s, const QString& name);
// After a driving link: group numbers and codes start afresh, and every link learns its pairs
// and collects the type letters of all pairs that name it.
void RebuildPairLinks(Session& s);

// A point of the given kind ("f" or "o") on the first link named so: 1, 0 when there is no such
// link, kPointsFull when the link has no free point slot (nothing changes then).
int AddPoint(Session& s, const QString& linkName, const QString& pointName, const QString& kind);
// Whether the first link named so can take one more point (true when there is no such link:
// that is found out, and reported, when the point name follows).
bool CanAddPoint(const Session& s, const QString& linkName);

void DropLastPair(Session& s);
void DropLastLink(Session& s);
// After pairs were taken back: indices that pointed at the removed records are pointed again at
// what is left (or cleared), and groups that named removed links are withdrawn.
void ForgetDroppedRecords(Session& s);
// The first link named so loses its last point. 1 while any link still has a point, else 0.
int RemoveLastPoint(Session& s, const QString& linkName);
