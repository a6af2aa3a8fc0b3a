#pragma once

#include <QList>
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

// The same findings with what each is about, for a choice among them.
struct StructureFinding {
    enum Kind { Mobility, Cause, PairOrder, Group };
    Kind kind;
    QString text;
};
QList<StructureFinding> structureFindings(const Session& session);

// The hint for the text in the answer box in a wizard state: what to type instead of a pair type
// the checks would refuse; empty when nothing.
QString adviseAnswer(const Session& session, qint16 state, const QString& typedText);

// The one line under the answer box: the hint for the typed text, else the newest finding that
// matters now (a pair order that stage 2 would stumble on, the group named last, the mobility
// from the frame on); empty when there is none.
QString adviceLine(const Session& session, qint16 state, const QString& typedText);

// The unit of the value a number question asks ("м", "град", "кг", "кг*м2", "Н", "Н*м"), as the
// protocol writes it; empty for a question that asks no measured value.
QString questionUnit(const QString& question);
// The line under the question dialog's answer box: what to type instead of a number the checks
// refuse, else the unit; empty for a question without a unit.
QString adviseQuestion(const QString& question, const QString& typedText);
