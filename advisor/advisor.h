#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class Session;

// Advice beside the wizard: short Russian lines that explain the structure described so far or
// the answer being typed. Advice never refuses anything; the checks and their error boxes stay
// where they are.

// The findings on the records: the mobility in numbers (and, when it is not 1, the links that
// hold it off), pair orders that leave a stage-2 question without a pair name, and one line per
// named group.
QStringList adviseStructure(const Session& session);

// The hint for the text in the answer box in a wizard state: what to type instead of a text the
// checks would refuse, otherwise in stage 2 the units of the values asked; empty when nothing.
QString adviseAnswer(const Session& session, qint16 state, const QString& typedText);
