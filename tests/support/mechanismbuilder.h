#pragma once

#include "model/session.h"

#include <QString>

// Builds the records of a mechanism from a description, its lines separated by ";" or line ends,
// applied in order on the session as it stands. A line it cannot read stops the run.
//   @name                     the lines of the section "== name" of tests/support/data/mechanisms.txt
//   new | reset               NewMechanism() (the group count left, as the wizard does) | ResetMechanism()
//   session f=v ...           session fields
//   pair|link|group T f=v ... fields of record T, of a record added when T is "+", of every link when T is "*"
//   point L f=v ...           a point added to link L
//   extrapair L name index length angle   an additional pair added to link L
//   repeat N [M] line         the line for %1 = 1..N (%2 = the next of %1 round N), %3 = 1..M
// A value written "_" or left empty is an empty text.
void buildMechanism(Session& s, const QString& description);

// A new session holding the description.
Session mechanism(const QString& description);
