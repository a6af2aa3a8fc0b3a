#pragma once

#include "session.h"

// Hand-filled mechanisms for the free-edit tests.
namespace fixtures {

// Fills a pair record.
void setPair(Session& s, int i, const QString& name, const QString& link1, const QString& link2, const QString& type,
             const QString& x = QString(), const QString& y = QString(), const QString& angle = QString());
// Fills the name, the two pairs (by pair index) and the type code of a link record.
void setLink(Session& s, int i, const QString& name, int para1, int para2, const QString& zType);

// Crank "1", coupler "2", slider "3" on frame "0" with the prismatic frame pair D; every link
// name typed twice, so records 3, 5, 7, 8 repeat earlier names. One type 2 group of "2" and "3".
Session fourBar(float forceAnalysis);

// Links with additional pairs and extra points: link "1" (base A on the frame, no perpendicular),
// link "3" (rp, perpendicular set, base D), link "5" whose two pairs P and Q both lie on the frame.
Session richLinks();

// Groups of every type: 1 (direction unset), 2 over an rr link, 2 over an rp link with both
// perpendiculars, 3 with both perpendiculars, 3 without.
Session groupsOfEachType();

// A session as a project load leaves it: ResetMechanism, then the few slots a small file holds,
// with "/n" in every field the file did not set.
Session loadedStyle();

// Every array and sub-array filled to its last usable slot.
Session largest();

} // namespace fixtures
