#pragma once

#include "session.h"

// Hand-filled descriptions shared by the output-file tests, as the wizard would leave them.
namespace testmech {

// A crank and slider: frame 0, crank 1 (driving), rod 2, slider 3 on a guide through the frame
// pair D1; one group (2, 3) of type 2. Link records repeat the names as the wizard appends them.
void crankSlider(Session& s);

// Points on the crank and slider: a force point F1 on the crank, a point of interest K on the rod
// and another, L, on the rod's repeated record; a centre of mass and a force point on the frame
// that no section may write.
void addPoints(Session& s);

// Six links: frame 0 with an additional pair G, crank 1, a type-1 group (2, 3) where 3 carries an
// additional pair E and a point of interest M, a type-3 group (4, 5) whose rp/pr links are off
// their guides. The repeated record of 3 carries an additional pair X that must never be written.
void sixLinks(Session& s);

} // namespace testmech
